#include "store/RecordFilter.h"

namespace corvane {

RecordReader::~RecordReader() = default;
CompiledFilter::~CompiledFilter() = default;
FilterCompiler::~FilterCompiler() = default;

}  // namespace corvane
