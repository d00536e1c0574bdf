// The data object as a host uses it, and the conversions of its data to and from the bytes
// other programs exchange (where anything they send must come out repaired and bounded).
#include <gtest/gtest.h>

#include <functional>

#include "vexa/system/dragdrop/DataObject.h"
#include "vexa/system/dragdrop/TransferFormats.h"

namespace vexa::sys::testing {
namespace {

std::int32_t ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.Number();
    }
    return 0;
}

TEST(DataObjectTest, MembersRaiseTheClassicErrors) {
    DataObject data;
    data.SetData("text");
    data.SetData(Variant(), RegisterDataFormat("application/x-vexa-rows"));
    const std::int16_t rows = FindDataFormat("APPLICATION/X-VEXA-ROWS");
    const struct {
        const char* what;
        std::function<void()> call;
        std::int32_t error;
    } cases[] = {
        {"unknown format number", [&] { data.GetData(999); }, 460},
        {"format not held", [&] { data.GetData(vxCFFiles); }, 461},
        {"promised, nobody renders", [&] { data.GetData(rows); }, 676},
        {"no value, no format", [&] { data.SetData(); }, 673},
        {"registered formats take bytes or text", [&] { data.SetData(2.5, rows); }, 675},
        {"a number does not say its format", [&] { data.SetData(2.5); }, 461},
        {"file index out of range", [&] { data.Files().Item(1); }, 9},
        {"files inserted past the end", [&] { data.Files().Add("a", 2); }, 9},
        {"text read as Unicode text", [&] { EXPECT_EQ(data.GetData(13).ToString(), "text"); }, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
    EXPECT_LT(rows, 0) << "registered formats are numbered from 0xC000";
    EXPECT_EQ(RegisterDataFormat("application/x-vexa-rows"), rows);
    EXPECT_EQ(RegisteredDataFormatName(rows), "application/x-vexa-rows");
}

TEST(DataObjectTest, FixedFormatsTakeDataButNoNewFormat) {
    DataObject data;
    data.SetData(Variant(), vxCFText);
    data.FixFormats(true);
    EXPECT_EQ(ErrorOf([&] { data.Clear(); }), 672);
    EXPECT_EQ(ErrorOf([&] { data.Files().Add("/tmp/x"); }), 672);
    data.SetData("filled", vxCFUnicodeText);
    EXPECT_EQ(data.GetData(vxCFText).ToString(), "filled");
    EXPECT_EQ(data.Formats(), (std::vector<std::int16_t>{vxCFText}));
    data.FixFormats(false);
    data.Files().Add("/b");
    data.Files().Add("/a", 1);
    data.Files().Add("/c");
    data.Files().Remove(2);
    EXPECT_EQ(data.GetData(vxCFFiles).Items(), (std::vector<Variant>{"/a", "/c"}));
    data.Clear();
    EXPECT_FALSE(data.GetFormat(vxCFText) || data.GetFormat(vxCFFiles));
}

TEST(TransferFormatsTest, DataGoesOutUnderItsTypes) {
    DataObject data;
    data.SetData("Grüße");
    data.SetData(Variant(std::vector<Variant>{"/tmp/a b.txt", "https://x.org/p?q"}), vxCFFiles);
    data.SetData("raw", RegisterDataFormat("application/x-vexa-cells"));
    data.SetData("not a MIME type", RegisterDataFormat("Vexa private"));
    EXPECT_EQ(OfferedTypes(data),
              (std::vector<std::string>{kUtf8TextType, kUtf8StringType, kPlainTextType,
                                        kUriListType, "application/x-vexa-cells"}));
    EXPECT_EQ(RenderType(data, "UTF8_STRING"), "Grüße");
    EXPECT_EQ(RenderType(data, kUriListType), "file:///tmp/a%20b.txt\r\nhttps://x.org/p?q\r\n");
    EXPECT_EQ(RenderType(data, "application/x-vexa-cells"), "raw");
    EXPECT_EQ(RenderType(data, "image/png"), std::nullopt);
}

TEST(TransferFormatsTest, BytesFromAnotherProgramAreRepaired) {
    const struct {
        std::string bytes;
        std::string text;
    } texts[] = {
        {"plain", "plain"},
        {"a\xFF"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {std::string("nul\0inside", 10), "nulinside"},
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // an overlong slash
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
        {"cut \xE2\x82", "cut \xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& t : texts) EXPECT_EQ(RepairedUtf8(t.bytes), t.text) << t.bytes;
    EXPECT_EQ(TextFromPlainBytes("caf\xE9"), "café") << "not UTF-8: Latin-1";

    const struct {
        const char* list;
        std::vector<std::string> files;
    } lists[] = {
        {"file:///tmp/a%20b\r\n# comment\r\n\r\nfile://localhost/x%C3%BC\n", {"/tmp/a b", "/xü"}},
        {"file://otherhost/secret\nhttp://x.org/\n", {"file://otherhost/secret", "http://x.org/"}},
        {"file:///bad%00name\nfile:/short\n  file:///trimmed  ",
         {"file:///bad%00name", "/short", "/trimmed"}},
        {"file:///pct%zz%4", {"/pct%zz%4"}},
    };
    for (const auto& l : lists) EXPECT_EQ(FilesFromUriList(l.list), l.files) << l.list;
    std::string many;
    for (int i = 0; i < 20000; ++i) many += "file:///f\n";
    EXPECT_EQ(FilesFromUriList(many).size(), kMaxTransferredFiles);
}

TEST(TransferFormatsTest, DataFromAnotherProgramIsFetchedOnceWhenRead) {
    std::vector<std::string> fetched;
    auto data = DataFromOtherProgram({"text/uri-list", "text/plain", "application/x-unregistered"},
                                     [&](const std::string& type) -> std::optional<std::string> {
                                         fetched.push_back(type);
                                         if (type == "text/plain") return std::string("gr\xFC\xDF");
                                         return std::string("file:///one\n");
                                     });
    EXPECT_EQ(data->Formats(), (std::vector<std::int16_t>{vxCFText, vxCFFiles}));
    EXPECT_TRUE(fetched.empty());
    EXPECT_EQ(data->GetData(vxCFText).ToString(), "grüß");
    EXPECT_EQ(data->GetData(vxCFText).ToString(), "grüß");
    EXPECT_EQ(data->Files().Count(), 1);
    EXPECT_EQ(fetched, (std::vector<std::string>{"text/plain", "text/uri-list"}));
    EXPECT_EQ(ErrorOf([&] { data->SetData("x", RegisterDataFormat("text/x-new")); }), 672);
}

}  // namespace
}  // namespace vexa::sys::testing
