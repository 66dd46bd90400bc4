#include "XlsCompoundFile.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <system_error>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>
#include <unistd.h>

#include "Readers.h"

namespace tesvora::bank {

namespace {

struct GObjectDeleter {
    void operator()(void* object) const { g_object_unref(object); }
};
template <typename T> using GPtr = std::unique_ptr<T, GObjectDeleter>;

Expected<std::string> readStream(GsfInput* input)
{
    const gsf_off_t size = gsf_input_size(input);
    if (size < 0 || size_t(size) > kMaxFileBytes)
        return readError(ReadErrorCode::Corrupt, "xls: workbook stream size " + std::to_string(size));
    std::string bytes(size_t(size), '\0');
    if (size > 0 && !gsf_input_read(input, size_t(size), reinterpret_cast<guint8*>(bytes.data())))
        return readError(ReadErrorCode::Corrupt, "xls: the workbook stream cannot be read");
    return bytes;
}

void ignoreLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) { }

// libgsf reports damaged compound files also as GLib criticals on stderr; the error value says it.
void initGsf()
{
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        g_log_set_handler(
            "libgsf:msole", GLogLevelFlags(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING), ignoreLog, nullptr);
    });
}

// The first of the workbook's possible stream names present in `ole`.
Expected<WorkbookStream> findWorkbookStream(GsfInfile* ole)
{
    for (const char* name : { "EncryptionInfo", "EncryptedPackage" }) {
        if (GPtr<GsfInput> child { gsf_infile_child_by_name(ole, name) })
            return readError(ReadErrorCode::Encrypted, "password-protected Office Open XML file");
    }
    for (const char* name : { "Workbook", "Book", "WORKBOOK", "BOOK" }) {
        if (GPtr<GsfInput> child { gsf_infile_child_by_name(ole, name) }) {
            auto bytes = readStream(child.get());
            if (!bytes)
                return tl::unexpected(bytes.error());
            return WorkbookStream { name[0] == 'W' ? "Workbook" : "Book", std::move(*bytes) };
        }
    }
    return readError(ReadErrorCode::Unsupported, "compound file without a workbook stream");
}

bool writeCompoundFile(const std::filesystem::path& path, const WorkbookStream& stream)
{
    GError* error = nullptr;
    GPtr<GsfOutput> file(GSF_OUTPUT(gsf_output_stdio_new(path.c_str(), &error)));
    g_clear_error(&error);
    if (!file)
        return false;
    GPtr<GsfOutfile> ole(gsf_outfile_msole_new(file.get()));
    GPtr<GsfOutput> child(gsf_outfile_new_child(ole.get(), stream.name.c_str(), FALSE));
    const bool written = child
        && gsf_output_write(child.get(), stream.bytes.size(), reinterpret_cast<const guint8*>(stream.bytes.data()));
    // Closing the compound file also closes the file under it.
    const bool closed = (!child || gsf_output_close(child.get())) && gsf_output_close(GSF_OUTPUT(ole.get()))
        && (gsf_output_is_closed(file.get()) || gsf_output_close(file.get()));
    return written && closed;
}

} // namespace

Expected<WorkbookStream> readWorkbookStream(const std::filesystem::path& path)
{
    initGsf();
    GError* error = nullptr;
    GPtr<GsfInput> file(GSF_INPUT(gsf_input_stdio_new(path.c_str(), &error)));
    if (!file) {
        const std::string why = error ? error->message : "";
        g_clear_error(&error);
        return readError(ReadErrorCode::Unreadable, path.string() + ": " + why);
    }
    GPtr<GsfInfile> ole(GSF_INFILE(gsf_infile_msole_new(file.get(), &error)));
    g_clear_error(&error);
    if (!ole)
        return readError(ReadErrorCode::Corrupt, "xls: damaged compound file");
    return findWorkbookStream(ole.get());
}

Expected<TemporaryCompoundFile> TemporaryCompoundFile::create(const WorkbookStream& stream)
{
    initGsf();
    std::error_code ec;
    std::string name = (std::filesystem::temp_directory_path(ec) / "tesvora-xls-XXXXXX").string();
    const int fd = ec ? -1 : ::mkstemp(name.data()); // reserves a name no one else gets
    if (fd < 0)
        return readError(ReadErrorCode::Unreadable, "xls: no temporary file for reading");
    ::close(fd);
    TemporaryCompoundFile copy { std::filesystem::path(name) };
    if (!writeCompoundFile(copy.path(), stream))
        return readError(ReadErrorCode::Unreadable, "xls: the temporary copy cannot be written");
    return copy;
}

TemporaryCompoundFile::~TemporaryCompoundFile()
{
    std::error_code ec;
    if (!m_path.empty())
        std::filesystem::remove(m_path, ec);
}

} // namespace tesvora::bank
