#include "machine/reg_file_parser.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "machine/registry_tree.h"

namespace {

// Every sink event as a line of text.
struct Recorder : machine::RegFileSink {
    std::vector<std::string> events;

    static std::string Join(const std::vector<std::string>& path) {
        std::string text;
        for (const std::string& part : path) {
            text += (text.empty() ? "" : "\\") + part;
        }
        return text;
    }
    void Key(const std::vector<std::string>& path) override {
        events.push_back("[" + Join(path) + "]");
    }
    void DeleteKey(const std::vector<std::string>& path) override {
        events.push_back("[-" + Join(path) + "]");
    }
    void Value(const std::string& name, machine::RegValue value) override {
        std::string text = name + "=" + std::to_string(value.type) + ":";
        for (const std::uint8_t b : value.data) {
            text += b >= 0x20 && b < 0x7F ? std::string(1, static_cast<char>(b))
                                          : "<" + std::to_string(b) + ">";
        }
        events.push_back(text);
    }
    void DeleteValue(const std::string& name) override { events.push_back(name + "=-"); }
};

std::string Utf16(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

bool Parse(const std::string& bytes, Recorder& recorder, machine::RegFileError& error) {
    return machine::ParseRegFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                                 recorder, error);
}

std::vector<std::string> Events(const std::string& bytes) {
    Recorder recorder;
    machine::RegFileError error;
    EXPECT_TRUE(Parse(bytes, recorder, error)) << error.line << ": " << error.message;
    return recorder.events;
}

machine::RegFileError ErrorOf(const std::string& bytes) {
    Recorder recorder;
    machine::RegFileError error;
    EXPECT_FALSE(Parse(bytes, recorder, error));
    return error;
}

TEST(RegFileParserTest, ReadsEveryValueFormOfARegedit4File) {
    const std::string text =
        "REGEDIT4\r\n"
        "\r\n"
        "; a comment\\\r\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\Test]\r\n"
        "@=\"default\"\r\n"
        "\"Path\"=\"C:\\\\Windows\\\\ \\\"q\\\" \\n\"\r\n"
        "\"Count\"=dword:0000002a\r\n"
        "\"Bin\"=hex:01,ff,\\\r\n"
        "  7f\r\n"
        "\"Expand\"=hex(2):25,41,25,00\r\n"
        "\"None\"=hex(0):\r\n"
        "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\r\n"
        "\"Gone\"=-\r\n"
        "[-HKEY_LOCAL_MACHINE\\SYSTEM\\Old]\r\n";
    const std::vector<std::string> expected = {
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\Test]",
        "=1:default<0>",
        "Path=1:C:\\Windows\\ \"q\" \\n<0>",
        "Count=4:*<0><0><0>",
        "Bin=3:<1><255><127>",
        "Expand=2:%A%<0>",
        "None=0:",
        "Qword=11:<1><0><0><0><0><0><0><0>",
        "Gone=-",
        "[-HKEY_LOCAL_MACHINE\\SYSTEM\\Old]",
    };
    EXPECT_EQ(expected, Events(text));
    // LF line breaks, blanks around the parts, a short root name.
    EXPECT_EQ(Events(text), Events("REGEDIT4\n[HKLM\\SYSTEM\\Test]\n  @ = \"default\" \n"
                                   "\"Path\"=\"C:\\\\Windows\\\\ \\\"q\\\" \\n\"\n"
                                   "\"Count\"=dword:2a\n\"Bin\"=hex: 01 , ff ,\\\n\t7f\n"
                                   "\"Expand\"=hex(2):25,41,25,00\n\"None\"=hex(0):\n"
                                   "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n\"Gone\"=-\n"
                                   "[-HKEY_LOCAL_MACHINE\\SYSTEM\\Old]"));
}

TEST(RegFileParserTest, Version5TextAndStringDataAreNarrowedToTheCodePage) {
    // "é" is U+00E9, "€" U+20AC (0x80 in the code page), "あ" has no byte.
    const std::string text = Utf16(
        u"Windows Registry Editor Version 5.00\r\n\r\n"
        u"[HKEY_LOCAL_MACHINE\\SYSTEM\\Caf\u00e9]\r\n"
        u"\"Name\"=\"\u20ac \u3042\"\r\n"
        u"\"Multi\"=hex(7):41,00,00,00,e9,00,00,00,00,00\r\n"
        u"\"Raw\"=hex:41,00\r\n");
    const std::vector<std::string> expected = {
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\Caf\xE9]",  // names are not escaped by the recorder
        "Name=1:<128> ?<0>",
        "Multi=7:A<0><233><0><0>",
        "Raw=3:A<0>",
    };
    Recorder recorder;
    machine::RegFileError error;
    ASSERT_TRUE(Parse(text, recorder, error)) << error.message;
    EXPECT_EQ(expected, recorder.events);
    // A UTF-8 file with its byte order mark reads the same.
    EXPECT_EQ(expected, Events("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
                               "[HKEY_LOCAL_MACHINE\\SYSTEM\\Caf\xC3\xA9]\n"
                               "\"Name\"=\"\xE2\x82\xAC \xE3\x81\x82\"\n"
                               "\"Multi\"=hex(7):41,00,00,00,e9,00,00,00,00,00\n"
                               "\"Raw\"=hex:41,00\n"));
}

TEST(RegFileParserTest, VeryLongLinesAndManyContinuations) {
    std::string line = "\"Big\"=hex:00";
    std::string continued = "\"Big\"=hex:00";
    for (int i = 1; i < 100000; ++i) {
        line += ",ab";
        continued += i % 25 == 0 ? ",\\\r\n  ab" : ",ab";
    }
    for (const std::string& value : {line, continued}) {
        Recorder recorder;
        machine::RegFileError error;
        ASSERT_TRUE(Parse("REGEDIT4\r\n[HKLM\\X]\r\n" + value + "\r\n", recorder, error))
            << error.message;
        ASSERT_EQ(2u, recorder.events.size());
        EXPECT_EQ(std::string("Big=3:<0>").size() + 99999 * std::string("<171>").size(),
                  recorder.events[1].size());
    }
}

TEST(RegFileParserTest, BadExportsNameTheirLine) {
    struct Case {
        std::string text;
        std::size_t line;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"", 0, "empty file"},
        {"REGEDIT5\r\n", 1, "not a registry export"},
        {"\xFE\xFFx", 0, "big-endian"},
        {std::string("R\0E\0G\0E\0", 8), 0, "without a byte order mark"},
        {Utf16(u"Windows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n") + "x", 3,
         "UTF-16 character"},
        {"\xEF\xBB\xBFREGEDIT4\n[HKLM\\\xC3]\n", 2, "UTF-8"},
        {"REGEDIT4\n\n[HKLM\\A\n", 3, "unbalanced brackets"},
        {"REGEDIT4\n[HKLM\\A]]x\n", 2, "unbalanced brackets"},
        {"REGEDIT4\n[HKLM\\\\A]\n", 2, "empty key name"},
        {"REGEDIT4\n[HKEY_NOWHERE\\A]\n", 2, "unknown root key"},
        {"REGEDIT4\n\"a\"=\"b\"\n", 2, "before the first key"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=hex:0g\n", 3, "bad hex"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=hex:012\n", 3, "bad hex"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=hex:01,,02\n", 3, "bad hex"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=hex:01,\n", 3, "comma"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=hex(2x):01\n", 3, "bad value type"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=dword:123456789\n", 3, "bad dword"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=dword:\n", 3, "bad dword"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=\"b\n", 3, "unterminated string"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=\"b\" c\n", 3, "after the closing"},
        {"REGEDIT4\n[HKLM\\A]\n\"a=\"b\"\n", 3, "expected '='"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=word:1\n", 3, "unknown value data"},
        {"REGEDIT4\n[HKLM\\A]\nstray text\n", 3, "expected a key"},
        {"REGEDIT4\n[HKLM\\A]\n\"a\"=hex:01,\\\n  02,\\\n", 3, "ends inside a value"},
        {std::string("REGEDIT4\n[HKLM\\A]\n\"a\"=\"") + '\0' + "\"\n", 3, "binary data"},
        {"REGEDIT4\n[HKLM\\" + std::string(256, 'k') + "]\n", 2, "longer than 255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        const machine::RegFileError error = ErrorOf(c.text);
        EXPECT_EQ(c.line, error.line);
        EXPECT_NE(std::string::npos, error.message.find(c.message)) << error.message;
    }
    std::string deep = "REGEDIT4\n[HKLM";
    for (int i = 0; i < 600; ++i) {
        deep += "\\k";
    }
    EXPECT_NE(std::string::npos, ErrorOf(deep + "]\n").message.find("deeper than 512"));
}

TEST(RegistryTreeTest, MergesFilesAndAppliesDeletions) {
    machine::RegistryTree tree;
    std::string error;
    const std::string first =
        "REGEDIT4\n[HKLM\\SYSTEM\\A\\B]\n\"x\"=\"1\"\n\"y\"=dword:2\n[HKLM\\SYSTEM\\C]\n";
    const std::string second =
        "REGEDIT4\n[hkey_local_machine\\system\\a\\b]\n\"X\"=\"3\"\n\"y\"=-\n[-HKLM\\SYSTEM\\C]\n"
        "\"ignored\"=\"under a deleted key\"\n[HKLM\\SYSTEM\\D]\n";
    ASSERT_TRUE(machine::LoadRegBytes(reinterpret_cast<const std::uint8_t*>(first.data()),
                                      first.size(), "1.reg", tree, error));
    ASSERT_TRUE(machine::LoadRegBytes(reinterpret_cast<const std::uint8_t*>(second.data()),
                                      second.size(), "2.reg", tree, error));
    const machine::RegKey* b = tree.Find("HKEY_LOCAL_MACHINE\\SYSTEM\\A\\B");
    ASSERT_NE(nullptr, b);
    ASSERT_EQ(1u, b->Values().size());
    EXPECT_EQ("x", b->Values()[0].first);  // the name as first written
    EXPECT_EQ(machine::RegValue::String("3").data, b->Value("x")->data);
    EXPECT_EQ(nullptr, tree.Find("HKEY_LOCAL_MACHINE\\SYSTEM\\C"));
    const auto keys = tree.Find("HKEY_LOCAL_MACHINE\\SYSTEM")->Subkeys();
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ("A", keys[0]->Name());
    EXPECT_EQ("D", keys[1]->Name());

    const std::string bad = "REGEDIT4\n[HKLM\\A]\n\"a\"=hex:zz\n";
    EXPECT_FALSE(machine::LoadRegBytes(reinterpret_cast<const std::uint8_t*>(bad.data()),
                                       bad.size(), "bad.reg", tree, error));
    EXPECT_EQ("bad.reg:3: bad hex data: expected byte pairs separated by commas", error);
}

}  // namespace
