#include "Readers.h"
namespace tesvora::bank {
// Placeholder until the XLSX reader lands.
Expected<std::unique_ptr<Workbook>> openXlsx(std::string) { return readError(ReadErrorCode::Unsupported, "xlsx: not built yet"); }
}
