#include "machine/json_parser.h"

#include <string>

#include <gtest/gtest.h>

namespace {

using machine::JsonError;
using machine::JsonParser;
using machine::JsonValue;

JsonValue ParseOk(const std::string& text) {
    JsonValue value;
    JsonError error;
    EXPECT_TRUE(JsonParser::Parse(text, value, error)) << text << ": " << error.message;
    return value;
}

JsonError ParseBad(const std::string& text) {
    JsonValue value;
    JsonError error;
    EXPECT_FALSE(JsonParser::Parse(text, value, error)) << text;
    return error;
}

TEST(JsonParserTest, ReadsEveryKindOfValueInOrder) {
    const JsonValue v = ParseOk(
        " {\"b\": true, \"a\": [null, false, -0, 12, 1.5e2, \"x\"], \"o\": {}, \"e\": []}\r\n");
    ASSERT_TRUE(v.IsObject());
    ASSERT_EQ(4u, v.Members().size());
    EXPECT_EQ("b", v.Members()[0].first);  // document order, not sorted
    EXPECT_EQ("a", v.Members()[1].first);
    const auto& items = v.Find("a")->Items();
    ASSERT_EQ(6u, items.size());
    EXPECT_TRUE(items[0].IsNull());
    EXPECT_FALSE(items[1].AsBool());
    EXPECT_TRUE(items[3].IsIntegerLiteral());
    EXPECT_EQ(12.0, items[3].AsNumber());
    EXPECT_FALSE(items[4].IsIntegerLiteral());
    EXPECT_EQ(150.0, items[4].AsNumber());
    EXPECT_EQ("x", items[5].AsString());
    EXPECT_EQ(nullptr, v.Find("missing"));
}

TEST(JsonParserTest, DecodesEscapesAndKeepsUtf8) {
    const JsonValue v = ParseOk(R"(["\"\\\/\b\f\n\r\t", "\u00e9\u20ac", "\ud83d\ude00", "é"])");
    EXPECT_EQ("\"\\/\b\f\n\r\t", v.Items()[0].AsString());
    EXPECT_EQ("\xC3\xA9\xE2\x82\xAC", v.Items()[1].AsString());
    EXPECT_EQ("\xF0\x9F\x98\x80", v.Items()[2].AsString());
    EXPECT_EQ("\xC3\xA9", v.Items()[3].AsString());
}

TEST(JsonParserTest, ReportsLineAndColumnOfTheFault) {
    JsonError e = ParseBad("{\n  \"a\": 1,\n  \"b\": tru\n}");
    EXPECT_EQ(3u, e.line);
    EXPECT_EQ(8u, e.column);
    e = ParseBad("[1,]");
    EXPECT_EQ(1u, e.line);
    EXPECT_EQ(4u, e.column);
    EXPECT_NE(std::string::npos, e.message.find("']'")) << e.message;
    e = ParseBad("{\"a\":1,\"a\":2}");
    EXPECT_EQ(8u, e.column);
    EXPECT_NE(std::string::npos, e.message.find("duplicate")) << e.message;
}

// Past the first few members names are looked up in an index: a duplicate
// must be found wherever it stands, spelt with escapes or not, and nested
// objects keep names of their own.
TEST(JsonParserTest, FindsDuplicatesInLargeObjects) {
    std::string members;
    for (int i = 0; i < 5000; ++i) {
        members += "\"m" + std::to_string(i) + "\":{\"m" + std::to_string(i) + "\":0},";
    }
    const JsonValue v = ParseOk("{" + members + "\"last\":1}");
    ASSERT_EQ(5001u, v.Members().size());
    EXPECT_EQ("m4999", v.Members()[4999].first);

    for (const std::string& again :
         {std::string("m0"), std::string("m20"), std::string("m4999"), std::string("\\u006d17")}) {
        const std::string text = "{" + members + "\"" + again + "\":1}";
        const JsonError e = ParseBad(text);
        EXPECT_EQ(text.size() - again.size() - 4, e.column) << again;
        EXPECT_NE(std::string::npos, e.message.find("duplicate")) << again;
    }
}

TEST(JsonParserTest, RejectsWhatTheGrammarDoesNotAllow) {
    for (const char* text : {"",
                             "  ",
                             "{",
                             "[1 2]",
                             "{\"a\" 1}",
                             "{a:1}",
                             "[1,]",
                             "{\"a\":1,}",
                             "'x'",
                             "01",
                             "1.",
                             ".5",
                             "-",
                             "1e",
                             "+1",
                             "NaN",
                             "Infinity",
                             "[true false]",
                             "nul",
                             "\"tab\there\"",
                             "\"\\x\"",
                             "\"\\u12G4\"",
                             "\"open",
                             "[] []",
                             "// c\n1",
                             "/* c */ 1",
                             "\xEF\xBB\xBF{}",
                             "\"\\ud800\"",
                             "\"\\udc00\"",
                             "\"\\ud800\\u0041\""}) {
        ParseBad(text);
    }
}

TEST(JsonParserTest, RejectsInvalidUtf8) {
    for (const char* text :
         {"\"\x80\"", "\"\xC0\xAF\"", "\"\xC3\"", "\"\xE0\x80\xAF\"", "\"\xED\xA0\x80\"",
          "\"\xF4\x90\x80\x80\"", "\"\xFF\"", "[\xC3\xA9]"}) {
        const JsonError e = ParseBad(text);
        EXPECT_EQ(1u, e.line);
    }
}

TEST(JsonParserTest, LimitsNumbersToExactIntegersAndDepth) {
    EXPECT_EQ(9007199254740991.0, ParseOk("9007199254740991").AsNumber());
    EXPECT_EQ(-9007199254740991.0, ParseOk("-9007199254740991").AsNumber());
    ParseBad("9007199254740992");
    ParseBad("9007199254740993");  // would read as ...992
    ParseBad("1e400");
    ParseBad("123456789012345678901234567890");
    ParseOk("1e-400");  // underflows to zero: small, not huge

    const std::size_t limit = JsonParser::kMaxDepth;
    ParseOk(std::string(limit, '[') + std::string(limit, ']'));
    const JsonError e = ParseBad(std::string(limit + 1, '[') + std::string(limit + 1, ']'));
    EXPECT_NE(std::string::npos, e.message.find("nesting")) << e.message;
    ParseBad(std::string(100000, '['));  // no stack exhaustion
}

}  // namespace
