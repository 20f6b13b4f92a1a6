#include "foundation/checked_containers.h"

#include "foundation/abort.h"
#include "foundation/report.h"
#include "foundation/strings.h"

void ReportBadIndex(const char* format, int index, std::size_t size, std::size_t elemSize) {
    std::string msg;
    FormatString(msg, format, index, static_cast<int>(size), static_cast<int>(elemSize));
    WriteLog(msg);
    LogLine(msg);
    FatalClose();
}
