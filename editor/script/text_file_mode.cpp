#include "editor/script/text_file_mode.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>

#include "platform/cp1252.h"
#include "editor/script/parse_text.h"
#include "platform/message_box.h"

namespace tessaro {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool ReadEditableTextFile(const std::string& path, std::string& text, std::string& error) {
    const auto fail = [&](const std::string& why) {
        error = "The text file " + win::OsToCp1252(path) + " could not be opened: " + why;
        return false;
    };
    // Non-blocking, so a pipe or device is refused instead of waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(std::string(win::ErrorText(errno)) + ".");
    std::unique_ptr<std::FILE, FileCloser> file(::fdopen(fd, "rb"));
    if (!file) {
        const int err = errno;
        ::close(fd);
        return fail(std::string(win::ErrorText(err)) + ".");
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) return fail(std::string(win::ErrorText(errno)) + ".");
    if (!S_ISREG(st.st_mode)) return fail("it is not a file.");
    if (static_cast<std::size_t>(st.st_size) > kMaxTextFileBytes)
        return fail("it is larger than " + std::to_string(kMaxTextFileBytes / (1024 * 1024)) + " MB.");
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (std::ferror(file.get())) return fail(std::string(win::ErrorText(errno)) + ".");
    bytes.resize(got);
    // The file may have grown since fstat: anything beyond the limit is refused too.
    if (std::fgetc(file.get()) != EOF) return fail("it grew while being read.");
    if (bytes.find('\0') != std::string::npos) return fail("it is not a text file.");
    text = std::move(bytes);
    return true;
}

bool EnterTextFile(TextFileSession& session, ScriptSaveForm form, ScriptList& list,
                   const std::string& programDir, const std::string& path, const std::string& typedPath) {
    std::string text;
    std::string error;
    if (!ReadEditableTextFile(path, text, error)) {
        win::MessageBox(error, "Error");
        return false;
    }
    // A file in UTF-8 is shown as such and written back so; any other is Windows-1252 already.
    const bool utf8 = win::IsUtf8(text);
    if (utf8) {
        std::string refused;
        auto bytes = win::Utf8TextToCp1252(text, &refused);
        if (!bytes) {
            win::MessageBox(QString::fromStdString("The text file " + path + " holds the character \"" +
                                                   refused + "\", which the script editor cannot keep."),
                            "Error");
            return false;
        }
        text = std::move(*bytes);
    }
    form.TextFileMode = false;
    TMacroRecord untouched{};
    if (SaveIt(true, form, list.Lines, untouched, programDir, 0).result != SaveResult::StoredInTemp)
        return false;
    session.Active = true;
    session.Path = path;
    session.Utf8 = utf8;
    session.Name = typedPath;
    session.Style = StyleOfTypedText(text);
    session.MacroLines = std::move(list.Lines);
    list.Lines = ParseMacroText(text);
    list.Selected = -1;
    SetIndents(list.Lines);
    return true;
}

bool MayEnterTextFile(ScriptSaveForm form, const ScriptList& list, const std::string& programDir,
                      const std::string& path) {
    std::string text;
    std::string error;
    if (!ReadEditableTextFile(path, text, error)) {
        win::MessageBox(error, "Error");
        return false;
    }
    form.TextFileMode = false;
    TMacroRecord untouched{};
    return SaveIt(true, form, list.Lines, untouched, programDir, 0).result == SaveResult::StoredInTemp;
}

void LeaveTextFile(TextFileSession& session, ScriptList& list, const std::string& programDir) {
    session.Active = false;
    std::string error;
    if (!LoadTempScript(programDir, list.Lines, error)) {
        win::MessageBox(error + "  The script as it was before the text file was opened is shown.", "Error");
        list.Lines = std::move(session.MacroLines);
    }
    session.MacroLines.clear();
    list.Selected = -1;
    SetIndents(list.Lines);
}

}  // namespace tessaro
