#include "common/debug_log.h"

#include "common/date_time.h"
#include "common/path_helpers.h"
#include "common/product_facts.h"

#include <atomic>
#include <exception>
#include <fstream>
#include <string>

namespace tandrel {

namespace {

const char* const formatVersion = "2.1";
const int ruleLength = 81;

// Set by the first call of the process, whether or not its file could be
// opened, so a later call never truncates what another call already wrote.
// Atomic so two threads' first calls cannot both write a header.
std::atomic<bool> headerWritten{false};

void writeHeader(std::ofstream& log) {
    log << "Executable:\t\t\t" << getExecutableFileName() << '\n' << std::flush;
    log << "Module:\t\t\t\t" << getModuleFileName() << '\n' << std::flush;
    log << "DebugLog version:\t" << formatVersion << '\n' << std::flush;
    log << companyName << " Software (" << makerWebAddress << ")\n" << std::flush;
    log << std::string(ruleLength, '=') << '\n' << std::flush;
}

} // namespace

void DebugLog(const std::string& message) {
    try {
        const std::string file = getPath(getExecutableFileName()) + "/debug.log";
        std::ofstream log;
        if (!headerWritten.exchange(true)) {
            log.open(file, std::ios::out | std::ios::trunc);
            writeHeader(log);
        } else {
            log.open(file, std::ios::out | std::ios::app);
        }
        log << '[' << dateTimeToString(timeNow(), "%d/%m/%y - %X") << "]\t" << message << '\n'
            << std::flush;
    } catch (const std::exception&) {
        // The log is a diagnostic aid for its callers, who must never fail
        // because of it; running out of memory while building a line only
        // costs that line.
    }
}

} // namespace tandrel
