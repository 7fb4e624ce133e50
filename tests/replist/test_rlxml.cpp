// The XML reader on its own: what a list may hold beyond what the writer
// writes, and what makes a list malformed.
#include "replist/ZEL_replist_xml.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <vector>

using namespace zel;

namespace {

struct TSeen {
  TRepListXmlTag Tag;
  int C, R;
  std::string Text;
  bool operator==(const TSeen&) const = default;
};

std::vector<TSeen> ReadAll(TRepListXmlReader& reader, std::string_view text) {
  std::vector<TSeen> seen;
  const bool ok = reader.Read(text, [&](const TRepListXmlElement& e) {
    seen.push_back({e.Tag, e.C, e.R, std::string(e.Text)});
    return true;
  });
  EXPECT_TRUE(ok) << reader.Error();
  return seen;
}

TEST(RepListXmlReader, DecodesTextAndSkipsWhatIsNotPartOfTheList) {
  TRepListXmlReader reader;
  const std::string text =
      "<replist format='tamarisk' ID=\"a&amp;b\">\n"
      "<!-- a comment with <cell> inside --><?pi x?>\n"
      "<cell r=\"2\"  c = '1'>a&lt;b&#x41;&#66;&unknown;\r\nz</cell>\n"
      "<cell c=\"0\" r=\"1\"><![CDATA[<raw> & ]]>tail<!--x--></cell>\n"
      "<future><cell c=\"9\" r=\"9\">nested</cell><x/></future>\n"
      "<comment/>\n"
      "</replist >trailing";
  const std::vector<TSeen> seen = ReadAll(reader, text);
  EXPECT_EQ(seen, (std::vector<TSeen>{{xmlCell, 1, 2, "a<bAB&unknown;\nz"},
                                      {xmlCell, 0, 1, "<raw> & tail"},
                                      {xmlComment, -1, -1, ""}}));
  EXPECT_EQ(reader.RootId(), "a&b");
  EXPECT_EQ(text.substr(reader.End()), "trailing");
}

TEST(RepListXmlReader, AttributesThatAreNotNumbersAreMarked) {
  TRepListXmlReader reader;
  const std::vector<TSeen> seen =
      ReadAll(reader, "<replist><cell c=\"x\" r=\"-1\">t</cell><colname>h</colname></replist>");
  EXPECT_EQ(seen, (std::vector<TSeen>{
                      {xmlCell, TRepListXmlElement::kBadAttr, TRepListXmlElement::kBadAttr, "t"},
                      {xmlColName, -1, -1, "h"}}));
}

TEST(RepListXmlReader, MalformedListsAreRefused) {
  for (const char* text : {
           "<replist><cell c=\"1\" r=\"1\">x</cel></replist>",  // mismatched end
           "<replist><cell c=\"1\" r=\"1\">x</cell>",           // no end tag
           "<replist><cell c=\"1 r=\"1\">x</cell></replist>",   // unclosed quote
           "<replist><cell c=1>x</cell></replist>",             // unquoted
           "<replist><cell c=\"<\">x</cell></replist>",         // "<" in a value
           "<replist><!-- open </replist>",                     // unclosed comment
           "<replist><!DOCTYPE x></replist>",                   // no place for it
           "<replist><a><b></a></b></replist>",                 // crossed nesting
           "<replist id=\"x\"id=\"y\"></replist>",              // unseparated attributes
           "<replist></REPLIST>",                               // names are exact
           "text before <replist></replist>",
       }) {
    TRepListXmlReader reader;
    EXPECT_FALSE(reader.Read(text, [](const TRepListXmlElement&) { return true; })) << text;
    EXPECT_FALSE(reader.Error().empty()) << text;
  }
}

// A well-kept XML parser reads what the writer wrote exactly as this reader
// does, so the files are plain XML for other programs too.
TEST(RepListXmlReader, ReadsTheWriterOutputAsAnXmlParserDoes) {
  TRLData t(nullptr);
  const std::vector<std::string> texts = {"plain",
                                          "a < b & c > d",
                                          "quote \" apostrophe '",
                                          "tab\tline\nCR\rCRLF\r\n",
                                          "   ",
                                          "control \x01\x1F",
                                          "Grüße 日本語",
                                          "]]> <![CDATA[",
                                          "&amp; literally"};
  t.SetNrOfRows(int(texts.size()));
  for (int r = 1; r <= t.NrOfRows(); ++r) t.SetElem(1, r, texts[size_t(r - 1)]);
  t.SetComment("comment\r\nwith & <markup>");
  std::ostringstream out;
  t.WriteToXMLStream(out, false, "id \"quoted\" & <x>");
  std::string file = out.str();

  TRepListXmlReader reader;
  std::vector<std::string> ours;
  ASSERT_TRUE(reader.Read(file, [&](const TRepListXmlElement& e) {
    if (e.Tag == xmlCell || e.Tag == xmlComment) ours.emplace_back(e.Text);
    return true;
  })) << reader.Error();

  pugi::xml_document doc;
  ASSERT_TRUE(
      doc.load_buffer(file.data(), file.size(), pugi::parse_default | pugi::parse_ws_pcdata));
  std::vector<std::string> theirs;
  for (const pugi::xml_node& n : doc.document_element().children())
    if (std::string(n.name()) == "cell" || std::string(n.name()) == "comment")
      theirs.emplace_back(n.text().get());
  EXPECT_EQ(ours, theirs);
  EXPECT_EQ(reader.RootId(), doc.document_element().attribute("id").value());
  EXPECT_EQ(reader.End(), file.size() - 1);  // all but the final line feed
}

TEST(RepListXmlReader, DeepNestingNeedsNoStack) {
  std::string text = "<replist><x>";
  for (int i = 0; i < 200000; ++i) text += "<y>";
  for (int i = 0; i < 200000; ++i) text += "</y>";
  text += "</x></replist>";
  TRepListXmlReader reader;
  EXPECT_TRUE(reader.Read(text, [](const TRepListXmlElement&) { return true; })) << reader.Error();
}

}  // namespace
