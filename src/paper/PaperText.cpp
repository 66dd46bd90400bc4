#include "PaperText.h"

namespace tesvora::paper {

const std::string_view kResetText = "某月某岗位考试题\r\n姓名：___________ 时间：_____________ 得分：____________\r\n";
const std::string_view kPaperTemplate = "某月某岗位考试题\r\n姓名：___________ 时间：_____________ 得分：____________\r\n\r\n";

} // namespace tesvora::paper
