#pragma once

#include <string>
#include <vector>

namespace keslog {

// What a version 3.0 submission file must hold before a sponsor's robot
// takes it: START-OF-LOG first and END-OF-LOG last, a CONTEST this program
// writes, category values from their sets, and QSO lines with the
// contest's number of fields, a frequency in kHz, CW or PH, a real date
// and time, in time order. Each problem is one line naming the file line
// ("line 12: ..."); none for a good file.
std::vector<std::string> cabrilloProblems(const std::vector<std::string>& lines);

}  // namespace keslog
