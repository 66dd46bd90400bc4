#include "Readers.h"
namespace tesvora::bank {
// Placeholder until the XLS reader lands.
Expected<std::unique_ptr<Workbook>> openXls(const std::filesystem::path&) { return readError(ReadErrorCode::Unsupported, "xls: not built yet"); }
}
