#include "vexa/system/automation/TextPropertyBag.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "vexa/system/automation/PropertyLiteral.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

constexpr std::int32_t kFileNotFound = 53;
constexpr std::int32_t kPathFileAccessError = 75;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

[[noreturn]] void RaiseFileError(std::int32_t code) {
    throw Error(code, "Vexa", code == kFileNotFound ? "File not found" : "Path/File access error");
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Splits incoming text into lines and hands each complete line on, without ever holding
// more than kMaxLineBytes of one line.
class LineAssembler {
  public:
    LineAssembler(MemoryPropertyBag& into, std::size_t& skipped) : into_(into), skipped_(skipped) {}

    void Feed(std::string_view chunk) {
        while (!chunk.empty()) {
            // Old-style files end lines with a bare CR; CR LF just adds a blank line.
            const std::size_t newline = chunk.find_first_of("\r\n");
            Append(chunk.substr(0, newline));
            if (newline == std::string_view::npos) return;
            EndLine();
            chunk.remove_prefix(newline + 1);
        }
    }

    void Finish() {
        if (overlong_ || !line_.empty()) EndLine();
    }

  private:
    void Append(std::string_view piece) {
        if (overlong_) return;
        if (line_.size() + piece.size() > TextPropertyBag::kMaxLineBytes) {
            overlong_ = true;
            std::string().swap(line_);
            return;
        }
        line_.append(piece);
    }

    void EndLine() {
        if (overlong_ || !Accept(line_)) ++skipped_;
        line_.clear();
        overlong_ = false;
        firstLine_ = false;
    }

    // False for a line that is neither blank, a comment nor a readable property.
    bool Accept(std::string_view line) {
        if (firstLine_ && line.starts_with(kByteOrderMark)) line.remove_prefix(3);
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == '\'') return true;
        if (!IsValidUtf8(trimmed)) return false;
        const std::size_t equals = trimmed.find('=');
        if (equals == std::string_view::npos) return false;
        const std::string_view name = Trim(trimmed.substr(0, equals));
        const std::string_view literal = Trim(trimmed.substr(equals + 1));
        if (!IsStorablePropertyName(name) || !ParsePropertyLiteral(literal)) return false;
        into_.Set(name, Variant(literal));
        return true;
    }

    MemoryPropertyBag& into_;
    std::size_t& skipped_;
    std::string line_;
    bool overlong_ = false;
    bool firstLine_ = true;
};

}  // namespace

bool IsStorablePropertyName(std::string_view name) {
    if (name.empty() || name != Trim(name) || name.front() == '\'') return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '=') return false;
    }
    return IsValidUtf8(name);
}

Variant TextPropertyBag::ReadProperty(std::string_view name, const Variant& defaultValue) {
    if (name.empty()) RaiseRuntimeError(rtInvalidProcedureCall);
    const Variant* literal = literals_.Find(name);
    if (literal == nullptr) return defaultValue;
    std::optional<Variant> value = ParsePropertyLiteral(literal->StringRef());
    return value ? *value : defaultValue;
}

void TextPropertyBag::WriteProperty(std::string_view name, const Variant& value,
                                    const Variant& defaultValue) {
    if (!IsStorablePropertyName(name)) RaiseRuntimeError(rtInvalidProcedureCall);
    if (IsDefaultValue(value, defaultValue)) {
        literals_.Remove(name);
    } else {
        literals_.Set(name, Variant(FormatPropertyLiteral(value)));
    }
}

void TextPropertyBag::LoadStream(std::istream& in) {
    MemoryPropertyBag loaded;
    std::size_t skipped = 0;
    LineAssembler lines(loaded, skipped);
    std::string chunk(64 * 1024, '\0');
    try {
        while (in.read(chunk.data(), std::streamsize(chunk.size())) || in.gcount() > 0) {
            lines.Feed(std::string_view(chunk.data(), std::size_t(in.gcount())));
        }
    } catch (const std::ios_base::failure&) {  // how the stream buffer reports a read error
        in.setstate(std::ios::badbit);
    }
    if (in.bad()) RaiseFileError(kPathFileAccessError);
    lines.Finish();
    literals_ = std::move(loaded);
    skippedLines_ = skipped;
}

void TextPropertyBag::Load(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) RaiseFileError(kFileNotFound);
    if (std::filesystem::is_directory(path, error)) RaiseFileError(kPathFileAccessError);
    std::ifstream file(path, std::ios::binary);
    if (!file) RaiseFileError(kPathFileAccessError);
    LoadStream(file);
}

void TextPropertyBag::FromString(std::string_view text) {
    MemoryPropertyBag loaded;
    std::size_t skipped = 0;
    LineAssembler lines(loaded, skipped);
    lines.Feed(text);
    lines.Finish();
    literals_ = std::move(loaded);
    skippedLines_ = skipped;
}

std::string TextPropertyBag::ToString() const {
    std::string out;
    for (const auto& [name, literal] : literals_.Entries()) {
        out.append(name).append(" = ").append(literal.StringRef()).append("\n");
    }
    return out;
}

void TextPropertyBag::Save(const std::string& path) const {
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    const std::string text = ToString();
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(text.data(), std::streamsize(text.size()));
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            RaiseFileError(kPathFileAccessError);
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        RaiseFileError(kPathFileAccessError);
    }
}

}  // namespace vexa
