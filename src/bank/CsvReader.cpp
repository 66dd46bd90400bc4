#include "Readers.h"
namespace tesvora::bank {
// Placeholder until the CSV reader lands.
Expected<std::unique_ptr<Workbook>> openCsv(std::string) { return readError(ReadErrorCode::Unsupported, "csv: not built yet"); }
}
