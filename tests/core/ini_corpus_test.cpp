// The corpus on its own: a write changes the written key and nothing else that can be read,
// and the file keeps its encoding.
#include <gtest/gtest.h>

#include "core/ini_document.h"
#include "base/text_codec.h"
#include "ini_corpus.h"

namespace ormind {
namespace {

TEST(IniCorpus, AWriteChangesOnlyTheKeyWritten) {
  const auto corpus = testing::IniCorpus();
  ASSERT_GE(corpus.size(), 40u);
  for (const testing::IniCorpusFile& file : corpus) {
    const DecodedText decoded = DecodeText(file.bytes, 1252);
    const IniDocument before(decoded.utf8);
    IniDocument after(decoded.utf8);
    after.WriteString(file.writeSection, file.writeKey, file.writeValue);

    std::string_view expected = file.writeValue;
    expected.remove_prefix(std::min(expected.find_first_not_of(' '), expected.size()));
    if (expected.size() >= 2 && expected.front() == '"' && expected.back() == '"')
      expected = expected.substr(1, expected.size() - 2);
    EXPECT_EQ(after.ReadString(file.writeSection, file.writeKey), expected) << file.name;

    for (std::string_view section : before.SectionNames()) {
      for (std::string_view key : before.KeyNames(section)) {
        if (IniNamesEqual(section, file.writeSection) && IniNamesEqual(key, file.writeKey)) continue;
        EXPECT_EQ(after.ReadString(section, key), before.ReadString(section, key))
            << file.name << " [" << section << "] " << key;
      }
    }
    TextEncoding used{};
    const std::string bytes = EncodeText(after.Text(), decoded.encoding, 1252, &used);
    EXPECT_EQ(used, decoded.encoding) << file.name;
    EXPECT_EQ(DecodeText(bytes, 1252).utf8, after.Text()) << file.name;
  }
}

}  // namespace
}  // namespace ormind
