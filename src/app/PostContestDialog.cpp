#include "app/PostContestDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>

#include "app/Twips.h"

namespace keslog {

namespace {

// The log-file label is 3000 twips wide.
constexpr int kLogFileLabelWidth = 3000;
// An exchange field in pixels: room for a call or a name.
constexpr int kFieldWidth = 72;

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

void setChecked(QAbstractButton* b, bool on) {
    const QSignalBlocker block(b);
    b->setChecked(on);
}

}  // namespace

PostContestDialog::PostContestDialog(PostContestForm& form, QWidget* parent)
    : FormDialog(form, parent) {
    setObjectName("PostContest");
    setWindowTitle("Post-Contest Processing");
    setMinimumWidth(340);
    auto* outer = new QVBoxLayout(this);

    label2_ = new QLabel(this);
    label2_->setObjectName("Label2");
    label3_ = new QLabel(this);
    label3_->setObjectName("Label3");
    outer->addWidget(label2_);
    outer->addWidget(label3_);
    const QFontMetrics metrics(label2_->font());
    form_.fitLogFileLabel([&metrics](std::string_view text) {
        return metrics.horizontalAdvance(q(std::string(text))) <= pixels(kLogFileLabelWidth);
    });

    auto* frame1 = new QGroupBox("Choose Files to Make", this);
    frame1->setObjectName("Frame1");
    auto* files = new QVBoxLayout(frame1);
    checkElectronicFiles_ = checkBox("CheckElectronicFiles", "Electronic Submission File", frame1);
    files->addWidget(checkElectronicFiles_);
    auto* normalRow = new QHBoxLayout();
    checkNormalFiles_ = checkBox("CheckNormalFiles", "", frame1);
    label5_ = new QLabel("Normal Summary, Log\nand Dupe Files", frame1);
    label5_->setObjectName("Label5");
    label5_->installEventFilter(this);
    normalRow->addWidget(checkNormalFiles_);
    normalRow->addWidget(label5_, 1);
    files->addLayout(normalRow);
    checkExport_ = checkBox("CheckExport", "ASCII Export File", frame1);
    files->addWidget(checkExport_);
    auto* exportRow = new QHBoxLayout();
    auto* formats = new QVBoxLayout();
    const std::array<const char*, 2> formatCaptions{" ADIF Format", " DXB4 Format"};
    for (std::size_t i = 0; i < optionFormat_.size(); ++i) {
        auto* option = new QRadioButton(formatCaptions[i], frame1);
        option->setObjectName(QString("OptionFormat%1").arg(i));
        // Both may be clear: the form keeps them apart.
        option->setAutoExclusive(false);
        formats->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, i] {
            form_.setFormat(i == 0);
            afterEvent();
        });
        optionFormat_[i] = option;
    }
    auto* omits = new QVBoxLayout();
    checkW_ = checkBox("CheckW", " Omit W/Ks", frame1);
    checkJA_ = checkBox("CheckJA", " Omit JAs", frame1);
    omits->addWidget(checkW_);
    omits->addWidget(checkJA_);
    exportRow->addSpacing(20);
    exportRow->addLayout(formats);
    exportRow->addLayout(omits);
    files->addLayout(exportRow);
    outer->addWidget(frame1);
    connect(checkElectronicFiles_, &QCheckBox::toggled, this,
            [this](bool on) { forward(&PostContestForm::setElectronic, on); });
    connect(checkNormalFiles_, &QCheckBox::toggled, this,
            [this](bool on) { forward(&PostContestForm::setNormal, on); });
    connect(checkExport_, &QCheckBox::toggled, this,
            [this](bool on) { forward(&PostContestForm::setExport, on); });
    connect(checkW_, &QCheckBox::toggled, this,
            [this](bool on) { forward(&PostContestForm::setOmitWK, on); });
    connect(checkJA_, &QCheckBox::toggled, this,
            [this](bool on) { forward(&PostContestForm::setOmitJA, on); });

    label4_ = new QLabel(this);
    label4_->setObjectName("Label4");
    outer->addWidget(label4_);
    auto* exchangeRow = new QHBoxLayout();
    labelExchange_ = new QLabel(this);
    labelExchange_->setObjectName("LabelExchange");
    cmdEdit_ = button("CmdEdit", "Edit", this);
    exchangeRow->addWidget(labelExchange_, 1);
    exchangeRow->addWidget(cmdEdit_);
    outer->addLayout(exchangeRow);
    auto* fieldsRow = new QHBoxLayout();
    for (std::size_t i = 0; i < text_.size(); ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString("Text%1").arg(i + 1));
        box->setFixedWidth(kFieldWidth);
        fieldsRow->addWidget(box);
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            form_.setField(static_cast<int>(i), text.toStdString());
        });
        text_[i] = box;
    }
    fieldsRow->addStretch(1);
    outer->addLayout(fieldsRow);
    auto* editButtons = new QHBoxLayout();
    cmdEditOK_ = button("CmdEditOK", "OK", this);
    cmdEditCancel_ = button("CmdEditCancel", "Cancel", this);
    editButtons->addStretch(1);
    editButtons->addWidget(cmdEditOK_);
    editButtons->addWidget(cmdEditCancel_);
    outer->addLayout(editButtons);
    connect(cmdEdit_, &QPushButton::clicked, this, [this] {
        form_.edit();
        afterEvent();
        text_[0]->setFocus();
    });
    connect(cmdEditOK_, &QPushButton::clicked, this, [this] { onEditOK(); });
    connect(cmdEditCancel_, &QPushButton::clicked, this, [this] {
        form_.editCancel();
        afterEvent();
    });

    auto* frame2 = new QGroupBox("User Information", this);
    frame2->setObjectName("Frame2");
    auto* userRow = new QHBoxLayout(frame2);
    auto* cmdEditUserInfo = button("CmdEditUserInfo", "View/Edit User Info", frame2);
    userRow->addWidget(cmdEditUserInfo);
    userRow->addStretch(1);
    outer->addWidget(frame2);
    connect(cmdEditUserInfo, &QPushButton::clicked, this, [this] { onEditUserInfo(); });

    addOkCancel(outer, "CmdOK", "CmdCancel");
    cmdOK_ = findChild<QPushButton*>("CmdOK");
    cmdCancel_ = findChild<QPushButton*>("CmdCancel");
    render();
}

void PostContestDialog::forward(void (PostContestForm::*event)(bool), bool on) {
    std::invoke(event, form_, on);
    afterEvent();
}

void PostContestDialog::onEditOK() {
    if (form_.editOk()) {
        afterEvent();
        return;
    }
    render();
    const int field = form_.view().focusField;
    if (field < 0 || field >= static_cast<int>(text_.size())) return;
    QLineEdit* box = text_[static_cast<std::size_t>(field)];
    box->setFocus();
    box->selectAll();
}

void PostContestDialog::onEditUserInfo() {
    UserInfo info = form_.userInfo();
    UserInfoDialog dialog(info, this);
    dialog.exec();
}

void PostContestDialog::reject() {
    if (form_.view().editing) {
        form_.editCancel();
        render();
        return;
    }
    FormDialog::reject();
}

bool PostContestDialog::eventFilter(QObject* watched, QEvent* event) {
    // The label belongs to the check box: a click on it ticks or clears it.
    if (watched == label5_ && event->type() == QEvent::MouseButtonRelease &&
        checkNormalFiles_->isEnabled()) {
        form_.setNormal(!form_.view().normal);
        afterEvent();
        return true;
    }
    return FormDialog::eventFilter(watched, event);
}

void PostContestDialog::render() {
    const PostContestView& v = form_.view();
    label2_->setText(q(v.logFileLabel));
    label3_->setText(q(v.contestLabel));
    setChecked(checkElectronicFiles_, v.electronic);
    setChecked(checkNormalFiles_, v.normal);
    setChecked(checkExport_, v.exportFile);
    setChecked(optionFormat_[0], v.adif);
    setChecked(optionFormat_[1], v.dxb4);
    optionFormat_[0]->setEnabled(v.adifEnabled);
    optionFormat_[1]->setEnabled(v.dxb4Enabled);
    setChecked(checkW_, v.omitWK);
    setChecked(checkJA_, v.omitJA);
    checkW_->setEnabled(v.omitEnabled);
    checkJA_->setEnabled(v.omitEnabled);

    label4_->setText(v.editing ? q(v.fieldsLabel) : QString("Exchange Sent:"));
    labelExchange_->setText(q(v.exchangeText));
    labelExchange_->setVisible(!v.editing);
    cmdEdit_->setVisible(!v.editing);
    cmdEdit_->setEnabled(v.editEnabled);
    for (std::size_t i = 0; i < text_.size(); ++i) {
        const QString text = q(v.fields[i]);
        if (text_[i]->text() != text) text_[i]->setText(text);
        text_[i]->setVisible(v.editing && static_cast<int>(i) < v.fieldCount);
    }
    cmdEditOK_->setVisible(v.editing);
    cmdEditCancel_->setVisible(v.editing);
    cmdOK_->setEnabled(v.okEnabled);
    cmdCancel_->setEnabled(v.okEnabled);
}

UserInfoDialog::UserInfoDialog(UserInfo& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("UserInfo");
    setWindowTitle("User Information");
    auto* outer = new QVBoxLayout(this);

    // The heading and the rows stand where the twips put them, in an area
    // of their own above the buttons.
    constexpr int kLabelLeft = 120, kLabelWidth = 1600, kBoxLeft = 1850, kBoxWidth = 4200;
    constexpr int kRowHeight = 315;
    const auto top = [](int row) { return 300 + 500 * row; };
    // The submission file's column: its own boxes, then one choice per category.
    constexpr int kColumnLeft = kBoxLeft + kBoxWidth + 360, kChoiceLeft = kColumnLeft + 1700;
    constexpr int kChoiceWidth = 2600;
    const int rightRows =
        static_cast<int>(kUserInfoLabels.size() - kSummaryInfoRows + categoryChoices().size());
    auto* rows = new QWidget(this);
    rows->setFixedSize(pixels(kChoiceLeft + kChoiceWidth + kLabelLeft),
                       pixels(top(std::max(9, rightRows))));
    const auto addHeading = [rows, top](const char* text, int left, int width) {
        auto* heading = new QLabel(text, rows);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        heading->setGeometry(pixels(left), 0, pixels(width), pixels(top(0) - 30));
        return heading;
    };
    addHeading("Summary Sheet Information", kLabelLeft, kBoxLeft + kBoxWidth - kLabelLeft)
        ->setObjectName("Label1");
    addHeading("Submission File", kColumnLeft, kChoiceLeft + kChoiceWidth - kColumnLeft);
    const auto addLabel = [rows, top](const QString& text, const QString& name, int left, int row) {
        auto* label = new QLabel(text, rows);
        label->setObjectName(name);
        label->setGeometry(pixels(left), pixels(top(row)), pixels(kLabelWidth), pixels(kRowHeight));
    };
    for (std::size_t i = 0; i < textinfo_.size(); ++i) {
        const bool summary = i < kSummaryInfoRows;
        const int row = static_cast<int>(summary ? i : i - kSummaryInfoRows);
        const int labelLeft = summary ? kLabelLeft : kColumnLeft;
        const int boxLeft = summary ? kBoxLeft : kChoiceLeft;
        addLabel(kUserInfoLabels[i], QString("Labelinfo%1").arg(i), labelLeft, row);
        auto* box = new QLineEdit(rows);
        box->setObjectName(QString("Textinfo%1").arg(i));
        box->setGeometry(pixels(boxLeft), pixels(top(row)),
                         pixels(summary ? kBoxWidth : kChoiceWidth), pixels(kRowHeight));
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            form_.setText(static_cast<int>(i), text.toStdString());
        });
        textinfo_[i] = box;
    }
    for (std::size_t k = 0; k < categoryChoices().size(); ++k) {
        const CategoryChoice& choice = categoryChoices()[k];
        const int row = static_cast<int>(kUserInfoLabels.size() - kSummaryInfoRows + k);
        addLabel(q(std::string(choice.label)), QString("LabelCategory%1").arg(k), kColumnLeft, row);
        auto* combo = new QComboBox(rows);
        combo->setObjectName(QString("ComboCategory%1").arg(k));
        for (std::string_view value : choice.values) {
            const std::string_view shown = value.empty() ? choice.emptyText : value;
            combo->addItem(q(std::string(shown)), q(std::string(value)));
        }
        combo->setGeometry(pixels(kChoiceLeft), pixels(top(row)), pixels(kChoiceWidth),
                           pixels(kRowHeight + 30));
        connect(combo, &QComboBox::activated, this, [this, combo, k](int index) {
            form_.setCategory(static_cast<int>(k), combo->itemData(index).toString().toStdString());
        });
        categories_.push_back(combo);
    }
    outer->addWidget(rows);
    addOkCancel(outer, "CmdOK", "CmdCancel");
    render();
}

void UserInfoDialog::render() {
    const UserInfoView& v = form_.view();
    for (std::size_t i = 0; i < textinfo_.size(); ++i) {
        const QString text = q(v.texts[i]);
        if (textinfo_[i]->text() != text) textinfo_[i]->setText(text);
    }
    for (std::size_t k = 0; k < categories_.size(); ++k)
        categories_[k]->setCurrentIndex(categories_[k]->findData(q(v.categories[k])));
}

}  // namespace keslog
