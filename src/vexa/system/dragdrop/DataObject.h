/// \file
/// The data of a drag-and-drop operation: values in several formats (DataFormats.h), with the
/// members a host knows from the classic data object. A format may be promised without data;
/// reading it then asks whoever fills the object (the drag source, or the program the drag came
/// from) to render it. During a drag the list of formats is fixed; the data of a listed format
/// can still be set.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vexa/system/automation/Variant.h"
#include "vexa/system/dragdrop/DataFormats.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class DataObject;

/// The file names (or URIs) the object carries in vxCFFiles, indexed from 1.
class VEXA_API DataObjectFiles {
  public:
    /// How many names the list holds.
    std::int32_t Count() const { return std::int32_t(names_.size()); }
    /// Raises 9 (subscript out of range) outside 1..Count.
    const std::string& Item(std::int32_t index) const;
    /// Appends (index 0) or inserts before index 1..Count+1; lists vxCFFiles.
    void Add(const std::string& fileName, std::int32_t index = 0);
    /// Removes the name at index 1..Count.
    void Remove(std::int32_t index);
    /// Removes every name.
    void Clear() { names_.clear(); }

  private:
    friend class DataObject;
    explicit DataObjectFiles(DataObject& owner) : owner_(owner) {}
    std::size_t CheckedIndex(std::int32_t index) const;

    DataObject& owner_;
    std::vector<std::string> names_;
};

/// The data of a drag-and-drop operation: values in several formats, some only promised until
/// they are asked for.
class VEXA_API DataObject {
  public:
    DataObject();
    DataObject(const DataObject&) = delete;
    DataObject& operator=(const DataObject&) = delete;

    /// Removes every format and its data. Raises 672 while the formats are fixed.
    void Clear();
    /// The data in a format, rendered first when it was only promised. Raises 460 for a number
    /// that names no format, 461 when the object does not hold the format, 676 when a promised
    /// format was not supplied when asked for.
    Variant GetData(std::int16_t format);
    /// Whether the object holds the format (promised or with data); asks nobody.
    bool GetFormat(std::int16_t format) const;
    /// Sets the data of a format. With no value, promises the format; with no format (0), takes
    /// it from the value (text for a string). Text formats take text, vxCFFiles an array of
    /// names (or one name), registered formats a string or a byte array (675 otherwise); the
    /// picture formats take any value. Raises 673 with neither, 460 for an unknown format, 672
    /// when adding a format while the formats are fixed.
    void SetData(const Variant& value = Variant(), std::int16_t format = 0);
    /// The file list; a promised one is rendered first.
    DataObjectFiles& Files();
    /// The formats held, in the order they were first set or promised.
    std::vector<std::int16_t> Formats() const;

    // ---- For the drag-and-drop machinery.
    /// Called when a promised format is read; it supplies the data with SetData.
    using Renderer = std::function<void(DataObject& data, std::int16_t format)>;
    /// Installs the function that supplies promised formats.
    void SetRenderer(Renderer renderer) { renderer_ = std::move(renderer); }
    /// Fixes the list of formats (a drag is under way) or frees it again.
    void FixFormats(bool fixed) { formatsFixed_ = fixed; }

  private:
    friend class DataObjectFiles;
    struct Entry {
        std::int16_t format = 0;
        Variant value;
        bool supplied = false;  ///< false while the format is only promised
    };

    Entry* Find(std::int16_t format);
    const Entry* Find(std::int16_t format) const;
    Entry& Listed(std::int16_t format);
    void RenderPromised(std::int16_t format);
    Variant Normalized(const Variant& value, std::int16_t format);

    std::vector<Entry> entries_;
    DataObjectFiles files_;
    Renderer renderer_;
    bool formatsFixed_ = false;
    bool rendering_ = false;  // a renderer is running: it cannot be asked again from inside
};

}  // namespace vexa

VEXA_PUBLIC_END
