// Compiles arbitrary filter text against a small message table and evaluates every result on
// its records, with both regional formats and both case options; and takes the words the window
// would mark out of it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/RecordFilter.h"
#include "filter/ExpressionFilterCompiler.h"
#include "filter/HighlightTerms.h"

namespace {

using namespace corvane;

FieldDef field(std::string name, FieldType type, FieldKind kind = FieldKind::Data) {
    FieldDef f;
    f.name = std::move(name);
    f.type = type;
    f.kind = kind;
    return f;
}

struct Record {
    bool null[6];
    std::int32_t key;
    double date;
    std::string message;
    std::string address;
    std::int32_t severity;
};

class Reader final : public RecordReader {
public:
    explicit Reader(const Record& r) : m_r(r) {}
    bool isNull(int f) const override { return m_r.null[f]; }
    std::int32_t integer(int f) const override { return f == 0 ? m_r.key : m_r.severity; }
    double dateTime(int) const override { return m_r.date; }
    std::string_view text(int f) const override { return f == 2 ? m_r.message : m_r.address; }

private:
    const Record& m_r;
};

const std::vector<FieldDef> kFields = {
    field("Key", FieldType::Integer),         field("Date", FieldType::DateTime),
    field("Message", FieldType::Text),        field("Address", FieldType::Text),
    field("SeverityKey", FieldType::Integer), field("OfTime", FieldType::Text, FieldKind::Lookup)};

const Record kRecords[] = {
    {{false, false, false, false, false, true}, 1, 45634.5, "Disk error on sda", "10.0.0.5", 3},
    {{false, true, true, false, true, true}, -7, 0, "", "", 0},
    {{false, false, false, false, false, true}, 2147483647, -1.25, std::string(512, '%'), "192.168.1.20", 7},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks the formats and the case option; the rest is the filter text.
    const bool comma = data[0] & 1;
    const bool caseInsensitive = data[0] & 2;
    const ExpressionFilterCompiler compiler(comma ? LocaleFormats{"dd.MM.yyyy", "HH:mm:ss", ','}
                                                  : LocaleFormats{"M/d/yy", "h:mm:ss AP", '.'});
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    // The words the window marks come from the same text, compiled or not.
    for (const std::string& term : highlightTerms(text, comma ? ',' : '.'))
        if (term.empty() || term.size() > text.size())
            __builtin_trap();
    const FilterCompileResult result = compiler.compile(text, kFields, caseInsensitive);
    if (result.ok()) {
        for (const Record& r : kRecords) {
            const Reader reader(r);
            (void)result.filter->matches(reader);
        }
    } else if (result.error.empty() || result.errorPosition < 0 ||
               result.errorPosition > static_cast<int>(text.size())) {
        __builtin_trap();
    }
    return 0;
}
