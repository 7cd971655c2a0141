// Former-logs call files: any bytes give well-formed rows, and the rows
// written back read as the same rows with nothing skipped.
#include <cctype>

#include "FuzzSupport.h"
#include "storage/CallFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    const CallFileContents read = parseCallFile(fuzz::bytesOf(data, size));
    for (const OldCall& row : read.rows) {
        fuzz::require(!row.call.empty() && row.call.size() <= 20, "calls of 1 to 20 characters");
        for (char c : row.call)
            fuzz::require(std::isupper(static_cast<unsigned char>(c)) ||
                              std::isdigit(static_cast<unsigned char>(c)) || c == '/',
                          "calls of capitals, digits and /");
    }
    const CallFileContents again = parseCallFile(callFileText(read.rows));
    fuzz::require(again.rows == read.rows, "rows survive writing and reading back");
    fuzz::require(again.skippedLines == 0, "written rows are all readable");
    return 0;
}
