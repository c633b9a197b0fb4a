#include "xml/xml_parse.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/temp_folder.h"

namespace {

const char kDocument[] = R"(<?xml version="1.0" encoding="utf-8"?>
<!-- a profile-like document -->
<Profile>
  <name>
     MP3  128 kbit/s
  </name>
  <Empty></Empty>
  <Closed/>
  <AudioCodes>
    <AudioCC name="first"><Oac>A</Oac></AudioCC>
    <AudioCC name="second"><Oac>B</Oac></AudioCC>
    <!-- not an element -->
    <Other/>
    <AudioCC><Oac>C</Oac></AudioCC>
  </AudioCodes>
  <Mixed>one<b> two </b><![CDATA[<three>]]></Mixed>
  <Accents>Voilà €</Accents>
</Profile>
)";

class XMLParseTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(reader.LoadDocument(WriteDocument("doc.xml", kDocument))); }

    // Writes `content` as the file `name` in the folder; returns its path.
    std::string WriteDocument(const std::string& name, const std::string& content) const {
        WriteFile(folder / name, content);
        return folder / name;
    }

    TempFolder folder;
    XMLParse reader;
};

TEST_F(XMLParseTest, NoneParentFindsOnlyTheRootElementByName) {
    const XMLNode root = reader.SelectNode(XMLNode(), "Profile", 0);
    ASSERT_TRUE(root);
    EXPECT_STREQ(root.name(), "Profile");
    EXPECT_EQ(reader.SelectNode(XMLNode(), "Profile", 3), root);  // index unused at the top
    EXPECT_FALSE(reader.SelectNode(XMLNode(), "Default", 0));
    EXPECT_FALSE(reader.SelectNode(XMLNode(), "name", 0));  // not searched below the root
    EXPECT_FALSE(reader.SelectNode(root, "Default", 0));
}

TEST_F(XMLParseTest, SelectsAndCountsChildElementsByPosition) {
    const XMLNode codes =
        reader.SelectNode(reader.SelectNode(XMLNode(), "Profile", 0), "AudioCodes", 0);
    ASSERT_TRUE(codes);
    EXPECT_EQ(reader.CountNodes("AudioCC", codes), 3);
    EXPECT_EQ(reader.CountNodes("", codes), 4);  // every child element, comments left out
    EXPECT_EQ(reader.CountNodes("Missing", codes), 0);
    EXPECT_EQ(reader.CountNodes("AudioCC", XMLNode()), 0);

    std::string oac;
    ASSERT_TRUE(reader.GetNodeText("Oac", reader.SelectNode(codes, "AudioCC", 0), oac));
    EXPECT_EQ(oac, "A");
    ASSERT_TRUE(reader.GetNodeText("Oac", reader.SelectNode(codes, "AudioCC", 1), oac));
    EXPECT_EQ(oac, "B");
    ASSERT_TRUE(reader.GetNodeText("Oac", reader.SelectNode(codes, "AudioCC", 2), oac));
    EXPECT_EQ(oac, "C");
    EXPECT_FALSE(reader.SelectNode(codes, "AudioCC", 3));
    EXPECT_FALSE(reader.SelectNode(codes, "AudioCC", -1));
}

TEST_F(XMLParseTest, ReadsElementTextTrimmedAtBothEnds) {
    const XMLNode root = reader.SelectNode(XMLNode(), "Profile", 0);
    struct Case {
        const char* element;
        const char* text;
    };
    for (const Case& c :
         {Case{"name", "MP3  128 kbit/s"}, Case{"Empty", ""}, Case{"Closed", ""},
          Case{"Mixed", "one two <three>"}, Case{"Accents", "Voil\xc3\xa0 \xe2\x82\xac"}}) {
        std::string text = "previous";
        EXPECT_TRUE(reader.GetNodeText(c.element, root, text)) << c.element;
        EXPECT_EQ(text, c.text) << c.element;
    }

    std::string untouched = "previous";
    EXPECT_FALSE(reader.GetNodeText("Missing", root, untouched));
    EXPECT_FALSE(reader.GetNodeText("", root, untouched));
    EXPECT_EQ(untouched, "previous");
}

TEST_F(XMLParseTest, ReadsTheNameAttribute) {
    const XMLNode codes =
        reader.SelectNode(reader.SelectNode(XMLNode(), "Profile", 0), "AudioCodes", 0);
    std::string name = "previous";
    EXPECT_TRUE(reader.GetNameAttribute(reader.SelectNode(codes, "AudioCC", 1), name));
    EXPECT_EQ(name, "second");

    name = "previous";
    EXPECT_FALSE(reader.GetNameAttribute(reader.SelectNode(codes, "AudioCC", 2), name));
    EXPECT_FALSE(reader.GetNameAttribute(XMLNode(), name));
    EXPECT_EQ(name, "previous");
}

TEST_F(XMLParseTest, ConvertsOtherEncodingsToUtf8) {
    // "<Profile><name>é</name></Profile>" as UTF-16 little-endian with its byte order mark.
    std::string utf16("\xff\xfe", 2);
    for (char c : std::string("<Profile><name>\xe9</name></Profile>")) {
        utf16 += c;
        utf16 += '\0';
    }
    ASSERT_TRUE(reader.LoadDocument(WriteDocument("utf16.xml", utf16)));
    std::string text;
    ASSERT_TRUE(reader.GetNodeText("name", reader.SelectNode(XMLNode(), "Profile", 0), text));
    EXPECT_EQ(text, "\xc3\xa9");
}

TEST_F(XMLParseTest, AfterAFailedLoadEveryOperationFails) {
    const XMLNode root = reader.SelectNode(XMLNode(), "Profile", 0);
    ASSERT_TRUE(root);
    const std::string pipe = folder / "pipe.xml";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);  // opening it for reading would block
    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"not XML", WriteDocument("bad.xml", "this is not XML <")},
        {"unclosed element", WriteDocument("open.xml", "<Profile><name>x</name>")},
        {"empty file", WriteDocument("empty.xml", "")},
        {"no root element", WriteDocument("comment.xml", "<?xml version=\"1.0\"?><!-- -->")},
        {"missing file", folder / "missing.xml"},
        {"a folder", folder.PathWithoutSlash()},
        {"a pipe", pipe},
        {"empty path", ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(reader.LoadDocument(folder / "doc.xml"));
        EXPECT_FALSE(reader.LoadDocument(c.path)) << c.what;

        std::string text = "previous";
        EXPECT_FALSE(reader.SelectNode(XMLNode(), "Profile", 0)) << c.what;
        EXPECT_FALSE(reader.GetNodeText("Profile", XMLNode(), text)) << c.what;
        EXPECT_EQ(reader.CountNodes("", reader.SelectNode(XMLNode(), "Profile", 0)), 0) << c.what;
        EXPECT_EQ(text, "previous") << c.what;
    }
}

TEST(XMLParseFreshTest, NothingLoadedGivesNothing) {
    XMLParse reader;
    std::string text = "previous";
    EXPECT_FALSE(reader.SelectNode(XMLNode(), "Profile", 0));
    EXPECT_FALSE(reader.GetNodeText("Profile", XMLNode(), text));
    EXPECT_FALSE(reader.GetNameAttribute(XMLNode(), text));
    EXPECT_EQ(text, "previous");
}

}  // namespace
