#pragma once

#include <array>
#include <vector>

#include "app/DialogParts.h"
#include "postcontest/PostContestForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace keslog {

// PostContestForm on the screen: draws PostContestView and forwards the
// clicks and the typed exchange.
class PostContestDialog : public FormDialog<PostContestForm> {
  public:
    explicit PostContestDialog(PostContestForm& form, QWidget* parent = nullptr);
    void render() override;
    // Esc while the exchange is edited ends the editing only.
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void forward(void (PostContestForm::*event)(bool), bool on);
    void onEditOK();
    void onEditUserInfo();

    QLabel* label2_;
    QLabel* label3_;
    QCheckBox* checkElectronicFiles_;
    QCheckBox* checkNormalFiles_;
    QLabel* label5_;
    QCheckBox* checkExport_;
    std::array<QRadioButton*, 2> optionFormat_{};
    QCheckBox* checkW_;
    QCheckBox* checkJA_;
    QLabel* label4_;
    QLabel* labelExchange_;
    QPushButton* cmdEdit_;
    std::array<QLineEdit*, 4> text_{};
    QPushButton* cmdEditOK_;
    QPushButton* cmdEditCancel_;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

// UserInfo on the screen: the summary sheet's nine labelled boxes placed
// in twips, and beside them the submission file's boxes and category
// choices.
class UserInfoDialog : public FormDialog<UserInfo> {
  public:
    explicit UserInfoDialog(UserInfo& form, QWidget* parent = nullptr);
    void render() override;

  private:
    std::array<QLineEdit*, kUserInfoLabels.size()> textinfo_{};
    std::vector<QComboBox*> categories_;
};

}  // namespace keslog
