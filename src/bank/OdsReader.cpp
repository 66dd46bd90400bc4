#include "Readers.h"
namespace tesvora::bank {
// Placeholder until the ODS reader lands.
Expected<std::unique_ptr<Workbook>> openOds(std::string) { return readError(ReadErrorCode::Unsupported, "ods: not built yet"); }
}
