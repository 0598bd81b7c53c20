#include "platform/text_mode_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/non_regular_file.h"
#include "support/temporary_directory.h"

namespace chatsieve::platform {
namespace {

using testing::TemporaryDirectory;

// The translation said plainly: CR LF is read as LF, the first 0x1A ends the data.
std::string Translated(const std::string& raw) {
  std::string data;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\x1A') break;
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    data.push_back(raw[i]);
  }
  return data;
}

std::string ReadAllBytewise(const std::string& path) {
  TextModeReader reader;
  EXPECT_TRUE(reader.Open(path.c_str()));
  std::string data;
  for (int byte = reader.ReadByte(); byte >= 0; byte = reader.ReadByte())
    data.push_back(static_cast<char>(byte));
  EXPECT_EQ(reader.ReadByte(), -1) << "the data stays ended";
  return data;
}

std::string ReadAllInBlocks(const std::string& path, size_t block) {
  TextModeReader reader;
  EXPECT_TRUE(reader.Open(path.c_str()));
  std::string data;
  std::string part(block, '\0');
  for (size_t got = block; got == block;) {
    got = reader.Read(part.data(), block);
    data.append(part, 0, got);
  }
  return data;
}

TEST(TextModeReader, TranslatesAsTheWordListFormatReadsIt) {
  const struct {
    const char* what;
    std::string raw;
    std::string data;
  } cases[] = {
      {"CR LF becomes LF", "ab\r\ncd", "ab\ncd"},
      {"a lone CR stays", "a\rb", "a\rb"},
      {"CR CR LF keeps the first CR", "\r\r\n", "\r\n"},
      {"LF CR stays", "\n\r", "\n\r"},
      {"a CR at the end stays", "ab\r", "ab\r"},
      {"0x1A ends the data",
       std::string("ab\x1A"
                   "cd"),
       "ab"},
      {"0x1A between CR and LF ends the data after the CR", "a\r\x1A\n", "a\r"},
      {"zero bytes are data", std::string("a\0b", 3), std::string("a\0b", 3)},
      {"an empty file", "", ""},
      {"a CR LF pair across the reader's buffer edge", std::string(64 * 1024 - 1, 'a') + "\r\nb",
       std::string(64 * 1024 - 1, 'a') + "\nb"},
  };
  TemporaryDirectory directory;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = directory.Write("data", c.raw);
    EXPECT_EQ(ReadAllBytewise(path), c.data);
    EXPECT_EQ(ReadAllInBlocks(path, 3), c.data);
  }
}

TEST(TextModeReader, AgreesWithThePlainTranslationOnRandomBytes) {
  std::mt19937 random(949);
  const char alphabet[] = {'a', '\r', '\n', '\x1A', '\0'};
  std::discrete_distribution<int> pick({40, 25, 25, 1, 9});
  TemporaryDirectory directory;
  for (int round = 0; round < 200; ++round) {
    std::string raw(static_cast<size_t>(round * 7), '\0');
    for (char& c : raw)
      c = alphabet[pick(random)];
    const std::string path = directory.Write("data", raw);
    ASSERT_EQ(ReadAllBytewise(path), Translated(raw)) << "round " << round;
    ASSERT_EQ(ReadAllInBlocks(path, 5), Translated(raw)) << "round " << round;
  }
}

TEST(TextModeReader, TellsTheRawBytesLeft) {
  TemporaryDirectory directory;
  const std::string path = directory.Write("data", "ab\r\ncdefgh");
  TextModeReader reader;
  ASSERT_TRUE(reader.Open(path.c_str()));
  EXPECT_EQ(reader.BytesLeft(), 10u);
  char part[3];
  ASSERT_EQ(reader.Read(part, 3), 3u);  // a, b and the CR LF pair read as LF
  EXPECT_EQ(reader.BytesLeft(), 6u);
  reader.EndData();
  EXPECT_EQ(reader.BytesLeft(), 0u);
  EXPECT_EQ(reader.ReadByte(), -1);
}

TEST(TextModeReader, OpensOnlyRegularFiles) {
  TemporaryDirectory directory;
  const std::string paths[] = {directory.Path().string(), testing::NonRegularFileIn(directory), "",
                               (directory.Path() / "missing").string()};
  for (const std::string& path : paths) {
    TextModeReader reader;
    EXPECT_FALSE(reader.Open(path.c_str())) << path;
    EXPECT_EQ(reader.ReadByte(), -1);
  }
}

}  // namespace
}  // namespace chatsieve::platform
