#include "display/json_writer.h"

#include <gtest/gtest.h>

namespace mullion {
namespace {

TEST(JsonQuote, EscapesQuotesAndBackslashes) {
    EXPECT_EQ(json_quote(R"(say "C:\dir")"), R"("say \"C:\\dir\"")");
}

TEST(JsonQuote, EscapesEveryControlCharacterAsUnicode) {
    EXPECT_EQ(json_quote("a\nb\tc\r\x01\x1f"), R"("a\u000ab\u0009c\u000d\u0001\u001f")");
    EXPECT_EQ(json_quote(std::string_view("\0", 1)), R"("\u0000")");
}

TEST(JsonQuote, KeepsValidUtf8) {
    EXPECT_EQ(json_quote("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 ~\x7f"),
              "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 ~\x7f\"");
}

TEST(JsonQuote, ReplacesBytesThatAreNotUtf8) {
    // A stray continuation byte, a truncated sequence, an overlong encoding and a surrogate.
    EXPECT_EQ(json_quote("a\x80z"), R"("a\ufffdz")");
    EXPECT_EQ(json_quote("a\xE2\x82"), R"("a\ufffd\ufffd")");
    EXPECT_EQ(json_quote("\xC0\xAF"), R"("\ufffd\ufffd")");
    EXPECT_EQ(json_quote("\xED\xA0\x80"), R"("\ufffd\ufffd\ufffd")");
}

TEST(JsonWriter, NestsObjectsAndArraysWithCommasAndIndentation) {
    JsonWriter json;
    json.begin_object();
    json.key("name");
    json.value("x");
    json.key("rect");
    json.begin_array(JsonWriter::Layout::Inline);
    json.value(1);
    json.value(-2);
    json.end_array();
    json.key("flags");
    json.begin_array();
    json.value(true);
    json.value(false);
    json.null();
    json.end_array();
    json.key("empty");
    json.begin_array();
    json.end_array();
    json.key("big");
    json.value(4294967295LL);
    json.end_object();
    EXPECT_EQ(json.text(), "{\n"
                           "  \"name\": \"x\",\n"
                           "  \"rect\": [1, -2],\n"
                           "  \"flags\": [\n"
                           "    true,\n"
                           "    false,\n"
                           "    null\n"
                           "  ],\n"
                           "  \"empty\": [],\n"
                           "  \"big\": 4294967295\n"
                           "}");
}

TEST(JsonWriter, KeysAreEscapedToo) {
    JsonWriter json;
    json.begin_object();
    json.key("a\"b");
    json.value(0);
    json.end_object();
    EXPECT_EQ(json.text(), "{\n  \"a\\\"b\": 0\n}");
}

} // namespace
} // namespace mullion
