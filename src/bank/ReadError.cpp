#include "ReadError.h"

namespace tesvora::bank {

std::string ReadError::message() const
{
    switch (code) {
    case ReadErrorCode::NotFound:
        return "文件不存在";
    case ReadErrorCode::NotAFile:
        return "所选的不是文件，请选择一个表格文件";
    case ReadErrorCode::Unreadable:
        return "无法读取文件，请检查文件权限";
    case ReadErrorCode::EmptyFile:
        return "文件是空的";
    case ReadErrorCode::Unsupported:
        return "不是支持的表格文件（xlsx、xlsm、xls、ods、csv）";
    case ReadErrorCode::Encrypted:
        return "文件设有密码，请先在表格程序中取消密码后再试";
    case ReadErrorCode::Corrupt:
        return "文件已损坏";
    case ReadErrorCode::TooLarge:
        return "文件太大，超出了本软件能读取的范围";
    case ReadErrorCode::NoSuchSheet:
        return "工作簿中没有这张表格，请检查表格选择";
    }
    return "无法读取文件";
}

} // namespace tesvora::bank
