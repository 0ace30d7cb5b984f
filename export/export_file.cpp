#include "export/export_file.h"

#include "files/durable_file.h"

namespace kestrane {

ExportResult writeWholeFile(const std::string& path, const std::string& bytes)
{
    if (const auto failure = replaceFile(path, bytes, "写入文件")) return exportRefused(failure->message);
    return exportWritten();
}

}  // namespace kestrane
