#pragma once

#include "store/StoreTables.h"
#include "store/Table.h"

#include <string>
#include <vector>

namespace corvane::test {

// One message record; fields left null where the member is empty or negative.
struct SampleRecord {
    int key = 0;
    std::string date, timeStamp;  // "YYYY-MM-DD hh:mm:ss.mmm"
    std::string severity, process, message, host, address, facility, data;
    int pid = -2;  // -2: null
    int facilityKey = -1, severityKey = -1, hostKey = -1;
};

void appendSample(Table& table, const SampleRecord& r);
// Messages with quotes, commas, line breaks, tabs, non-ASCII text (UTF-8 and Latin-1) and nulls.
std::vector<SampleRecord> awkwardSamples();

}  // namespace corvane::test
