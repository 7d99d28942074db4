// The text layout of a hive: what a user sees and may write by hand.
#include <gtest/gtest.h>

#include "platform/registry/Hive.h"

using hive::Hive;

namespace {

Hive ParseOk(const std::string& text) {
    hive::ParseError error;
    auto h = Hive::Parse("HKEY_CURRENT_USER", text, error);
    EXPECT_TRUE(h) << "line " << error.line << ": " << error.reason;
    return h ? *h : Hive("HKEY_CURRENT_USER");
}

std::string Text(const Hive& h, const std::string& key, const std::string& name) {
    const hive::Key* k = h.FindKey(key);
    const hive::Value* v = k ? k->FindValue(name) : nullptr;
    if (!v) return "<missing>";
    EXPECT_TRUE(v->type == hive::kString || v->type == hive::kExpandString) << name;
    return v->data.substr(0, v->data.find('\0'));
}

}  // namespace

TEST(HiveText, HandWrittenFileWithCommentsBlankLinesAndAllValueForms) {
    const std::string text =
        "\xEF\xBB\xBFREGEDIT4\r\n"
        "; settings of the utility, edited by hand\r\n"
        "\r\n"
        "[hkey_current_user\\Software\\varnell\\Vuvuviro]\r\n"
        "  \"noreset\" = \"1\"  \r\n"
        "\"path\"=\"C:\\\\Tools\\\\\\\"quoted\\\"\"\n"
        "@=\"default\"\n"
        "\"count\"=dword:0000002a\n"
        "\"blob\"=hex:01,ff,\\\n"
        "    10\n"
        "\"expand\"=hex(2):25,48,4f,4d,45,25,00\n"
        "\"empty\"=hex:\n"
        "\n"
        ";[HKEY_CURRENT_USER\\commented\\out]\n"
        "[HKEY_CURRENT_USER\\Software\\varnell\\Vuvuviro]\n"
        "\"noreset\"=\"0\"\n";
    const Hive h = ParseOk(text);
    const std::string key = "Software\\varnell\\Vuvuviro";
    EXPECT_EQ(Text(h, key, "noreset"), "0");  // a repeated section adds to the key; the last value wins
    EXPECT_EQ(Text(h, key, "path"), "C:\\Tools\\\"quoted\"");
    EXPECT_EQ(Text(h, key, ""), "default");
    EXPECT_EQ(Text(h, key, "expand"), "%HOME%");
    const hive::Key* k = h.FindKey(key);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->FindValue("count")->type, hive::kDword);
    EXPECT_EQ(hive::DwordOf(k->FindValue("count")->data), 42u);
    EXPECT_EQ(k->FindValue("blob")->data, std::string("\x01\xff\x10", 3));
    EXPECT_EQ(k->FindValue("empty")->type, hive::kBinary);
    EXPECT_TRUE(k->FindValue("empty")->data.empty());
    EXPECT_TRUE(h.FindKey("Software\\varnell")) << "parents of a section exist";
    EXPECT_FALSE(h.FindKey("commented\\out"));
}

TEST(HiveText, EmptyOrHeaderOnlyTextIsAnEmptyHive) {
    for (const std::string text : {"", "\n\n", "REGEDIT4\n", "; nothing yet\nREGEDIT4"}) {
        const Hive h = ParseOk(text);
        EXPECT_EQ(h.KeyCount(), 1u) << text;  // the root alone
    }
}

TEST(HiveText, WrittenLayoutIsPlainRegedit4) {
    Hive h("HKEY_CURRENT_USER");
    hive::Key& k = h.CreateKey("Software\\varnell\\Vuvuviro");
    k.SetValue("noreset", hive::kString, std::string("1\0", 2));
    k.SetValue("dir", hive::kString, std::string("C:\\a \"b\"\0", 9));
    k.SetValue("n", hive::kDword, hive::DwordBytes(0x1f));
    EXPECT_EQ(h.ToText(),
              "REGEDIT4\n"
              "\n[HKEY_CURRENT_USER\\Software]\n"
              "\n[HKEY_CURRENT_USER\\Software\\varnell]\n"
              "\n[HKEY_CURRENT_USER\\Software\\varnell\\Vuvuviro]\n"
              "\"noreset\"=\"1\"\n"
              "\"dir\"=\"C:\\\\a \\\"b\\\"\"\n"
              "\"n\"=dword:0000001f\n");
}

TEST(HiveText, EveryValueComesBackExactly) {
    Hive h("HKEY_CURRENT_USER");
    hive::Key& k = h.CreateKey("Software\\Test");
    const std::pair<std::string, std::string> texts[] = {
        {"plain", std::string("text\0", 5)},
        {"empty", std::string("\0", 1)},
        {"breaks", std::string("two\nlines\r\tend\0", 15)},  // cannot be quoted: goes out as hex(1)
        {"inner zero", std::string("a\0b\0", 4)},
        {"no terminator", "raw"},
        {"\xC3\x84rger \"quoted\" \\name", std::string("\xC3\xA4\0", 3)},
        {"", std::string("default\0", 8)},
    };
    for (const auto& [name, data] : texts) k.SetValue(name, hive::kString, data);
    k.SetValue("long", hive::kBinary, std::string(300, '\x7f'));
    k.SetValue("odd type", 0x12345, "xy");
    h.CreateKey("Software\\Empty");

    const std::string text = h.ToText();
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        EXPECT_LE(end - start, 80u) << "lines stay readable";
    const Hive back = ParseOk(text);
    const hive::Key* b = back.FindKey("Software\\Test");
    ASSERT_TRUE(b);
    ASSERT_EQ(b->Values().size(), k.Values().size());
    for (std::size_t i = 0; i < k.Values().size(); ++i) {
        EXPECT_EQ(b->Values()[i].name, k.Values()[i].name);
        EXPECT_EQ(b->Values()[i].type, k.Values()[i].type) << k.Values()[i].name;
        EXPECT_EQ(b->Values()[i].data, k.Values()[i].data) << k.Values()[i].name;
    }
    EXPECT_TRUE(back.FindKey("Software\\Empty"));
    EXPECT_EQ(back.ToText(), text);
}

TEST(HiveText, KeysAndValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
    Hive h("HKEY_CURRENT_USER");
    h.CreateKey("Software\\Varnell").SetValue("\xC3\x84rger", hive::kString, std::string("1\0", 2));
    hive::Key& again = h.CreateKey("SOFTWARE\\varnell");
    EXPECT_EQ(again.Path(), "Software\\Varnell");
    EXPECT_FALSE(again.SetValue("\xC3\xA4RGER", hive::kString, std::string("1\0", 2))) << "same name, same data";
    EXPECT_TRUE(again.SetValue("\xC3\xA4RGER", hive::kString, std::string("2\0", 2)));
    ASSERT_EQ(again.Values().size(), 1u);
    EXPECT_EQ(again.Values()[0].name, "\xC3\x84rger");
    EXPECT_TRUE(again.DeleteValue("\xC3\xA4rger"));
    EXPECT_FALSE(again.DeleteValue("\xC3\xA4rger"));
    EXPECT_EQ(h.KeyCount(), 3u);
}

TEST(HiveText, FaultyTextsNameTheirLine) {
    const struct {
        std::string text;
        int line;
        std::string reason;
    } cases[] = {
        {"[HKEY_CURRENT_USER\\a]\n", 1, "REGEDIT4"},
        {"Windows Registry Editor Version 5.00\n", 1, "REGEDIT4"},
        {"REGEDIT4\n\"a\"=\"1\"\n", 2, "outside a [key]"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\"=\"C:\\Temp\"\n", 3, "unknown escape \\T"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\"=\"open\n", 3, "closing quote"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\"=\"1\" extra\n", 3, "after the closing quote"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\" \"1\"\n", 3, "'='"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\"=dword:123456789\n", 3, "dword:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\"=hex:01,zz\n", 3, "'zz'"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\"=hex:01,,02\n", 3, "''"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\"=hex(x):01\n", 3, "hex(N)"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\"=yes\n", 3, "unknown value data"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"p\"=-\n", 3, "deletions"},
        {"REGEDIT4\n[-HKEY_CURRENT_USER\\a]\n", 2, "deletions"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\a]\n", 2, "outside HKEY_CURRENT_USER"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a\\\\b]\n", 2, "invalid key path"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a\n", 2, "']'"},
        {"REGEDIT4\n\n\nnoreset=1\n", 4, "unexpected text"},
    };
    for (const auto& c : cases) {
        hive::ParseError error;
        EXPECT_FALSE(Hive::Parse("HKEY_CURRENT_USER", c.text, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.reason.find(c.reason), std::string::npos) << c.text << " -> " << error.reason;
    }
}
