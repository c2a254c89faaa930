#include "filter/ExpressionFilterCompiler.h"

#include "filter/FilterParser.h"

namespace corvane {
namespace {

class CompiledExpression final : public CompiledFilter {
public:
    explicit CompiledExpression(FilterNodePtr root) : m_root(std::move(root)) {}
    bool matches(const RecordReader& record) const override { return m_root->test(record); }

private:
    FilterNodePtr m_root;
};

}  // namespace

FilterCompileResult ExpressionFilterCompiler::compile(std::string_view text, std::span<const FieldDef> fields,
                                                      bool caseInsensitive) const {
    FilterParser parser(text, fields, m_formats, caseInsensitive);
    FilterCompileResult result;
    if (FilterNodePtr root = parser.parse()) {
        result.filter = std::make_unique<CompiledExpression>(std::move(root));
    } else {
        result.error = parser.error().message;
        result.errorPosition = parser.error().position;
    }
    return result;
}

}  // namespace corvane
