/// \file
/// A property bag kept as a readable UTF-8 text file, one "Name = <typed value>" line per
/// property (see PropertyLiteral.h for the value forms), in the order first written.
/// Reading is forgiving: lines that cannot be understood are skipped and counted, so a
/// damaged file still gives every property it holds intact.
#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "vexa/system/automation/MemoryPropertyBag.h"
#include "vexa/system/automation/PropertyBag.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// A property bag kept as a readable text file, one "Name = value" line per property.
class VEXA_API TextPropertyBag : public PropertyBag {
  public:
    /// Longer lines are skipped without being held in memory.
    static constexpr std::size_t kMaxLineBytes = std::size_t(64) << 20;

    /// Values are kept as text from the moment they are written: a font written and then
    /// changed is stored as it was, and every read gives a fresh object.
    Variant ReadProperty(std::string_view name, const Variant& defaultValue) override;
    /// Raises 5 for a name the file cannot hold (empty, with '=', control characters or
    /// surrounding blanks, starting with the comment mark ') and 13 for a value it cannot
    /// (objects other than fonts and pictures).
    void WriteProperty(std::string_view name, const Variant& value,
                       const Variant& defaultValue) override;

    /// Load replaces the contents only when the file could be read: 53 "File not found"
    /// when it does not exist, 75 "Path/File access error" when it cannot be read.
    void Load(const std::string& path);
    /// Writes a sibling temporary file and renames it over `path`, so a failed save leaves
    /// the previous file whole; 75 on failure.
    void Save(const std::string& path) const;
    /// Replaces the contents with the properties of `text`, in the file's form.
    void FromString(std::string_view text);
    /// The contents in the file's form.
    std::string ToString() const;

    /// How many properties are held.
    std::size_t Count() const { return literals_.Count(); }
    std::size_t SkippedLines() const { return skippedLines_; }  ///< of the last load

  private:
    void LoadStream(std::istream& in);

    MemoryPropertyBag literals_;  // name -> literal text (a String variant)
    std::size_t skippedLines_ = 0;
};

/// Whether `name` can be a property name in a text property file.
bool IsStorablePropertyName(std::string_view name);

}  // namespace vexa

VEXA_PUBLIC_END
