#include "platform/runtime/text_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "platform/runtime/runtime_error.h"
#include "platform/runtime_test_support.h"

namespace tf {
namespace {

TextReader Bytes(std::string bytes) { return TextReader::FromBytes(std::move(bytes)); }

TEST(TextReaderTest, TextValues) {
  TextReader hello = Bytes("\"Hello\",234\r\n");
  EXPECT_EQ(hello.ReadText(), "Hello");
  EXPECT_EQ(hello.ReadInt16(), 234);
  EXPECT_FALSE(hello.HasMoreData());

  EXPECT_EQ(Bytes("\"a,b\"\r\n").ReadText(), "a,b");
  EXPECT_EQ(Bytes("hello world\r\n").ReadText(), "hello world");
  EXPECT_EQ(Bytes("#TRUE#\r\n").ReadText(), "#TRUE#");
  EXPECT_EQ(Bytes("\"x\r\ny\"\r\n").ReadText(), "x\r\ny");

  TextReader padded = Bytes("  abc  ,def\r\n");
  EXPECT_EQ(padded.ReadText(), "abc");
  EXPECT_EQ(padded.ReadText(), "def");

  TextReader quotedPairs = Bytes("\"ab\"  ,\"cd\"\r\n");
  EXPECT_EQ(quotedPairs.ReadText(), "ab");
  EXPECT_EQ(quotedPairs.ReadText(), "cd");
}

TEST(TextReaderTest, TextEdgeCases) {
  TextReader reader = Bytes("a\"b\" c,\"unclosed, to the end\r\n");
  EXPECT_EQ(reader.ReadText(), "a\"b\" c");
  EXPECT_EQ(reader.ReadText(), "unclosed, to the end\r\n");
  EXPECT_FALSE(reader.HasMoreData());

  TextReader lineEnds = Bytes("one\ntwo\rthree\r\n\r\n");
  EXPECT_EQ(lineEnds.ReadText(), "one");
  EXPECT_EQ(lineEnds.ReadText(), "two");
  EXPECT_EQ(lineEnds.ReadText(), "three");
  EXPECT_EQ(lineEnds.ReadText(), "");
  EXPECT_FALSE(lineEnds.HasMoreData());

  TextReader glued = Bytes("\"ab\"cd\r\n");
  EXPECT_EQ(glued.ReadText(), "ab");
  EXPECT_EQ(glued.ReadText(), "cd");
}

TEST(TextReaderTest, IntegerValues) {
  TextReader spaced = Bytes("12 34\r\n");
  EXPECT_EQ(spaced.ReadInt16(), 12);
  EXPECT_EQ(spaced.ReadInt16(), 34);

  TextReader gap = Bytes("1,,3\r\n");
  EXPECT_EQ(gap.ReadInt16(), 1);
  EXPECT_EQ(gap.ReadInt16(), 0);
  EXPECT_EQ(gap.ReadInt16(), 3);

  TextReader halves = Bytes("2.5,3.5,-2.5\r\n");
  EXPECT_EQ(halves.ReadInt16(), 2);
  EXPECT_EQ(halves.ReadInt16(), 4);
  EXPECT_EQ(halves.ReadInt16(), -2);

  TextReader others = Bytes("1e3 , \"17\"\r\n");
  EXPECT_EQ(others.ReadInt16(), 1000);
  EXPECT_EQ(others.ReadInt16(), 17);

  EXPECT_EQ(ErrorOf([] { Bytes("40000\r\n").ReadInt16(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Bytes("abc\r\n").ReadInt16(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Bytes("\"x\"\r\n").ReadInt16(); }), kErrTypeMismatch);
}

TEST(TextReaderTest, VariantValues) {
  TextReader gap = Bytes("1,,3\r\n");
  EXPECT_EQ(gap.ReadVariant(), Variant::Integer(1));
  EXPECT_EQ(gap.ReadVariant(), Variant::Empty());
  EXPECT_EQ(gap.ReadVariant(), Variant::Integer(3));

  TextReader emptyLine = Bytes("\r\n5\r\n");
  EXPECT_EQ(emptyLine.ReadVariant(), Variant::Empty());
  EXPECT_EQ(emptyLine.ReadInt16(), 5);

  TextReader sizes = Bytes("123,40000,2.5\r\n");
  EXPECT_EQ(sizes.ReadVariant(), Variant::Integer(123));
  EXPECT_EQ(sizes.ReadVariant(), Variant::Long(40000));
  EXPECT_EQ(sizes.ReadVariant(), Variant::Double(2.5));

  EXPECT_EQ(Bytes("abc\r\n").ReadVariant(), Variant::String("abc"));
  EXPECT_EQ(Bytes("5000000000\r\n").ReadVariant(), Variant::Double(5e9));
  EXPECT_EQ(Bytes("7.0\r\n").ReadVariant(), Variant::Double(7));
  EXPECT_EQ(Bytes("\"12\"\r\n").ReadVariant(), Variant::String("12"));
  EXPECT_EQ(Bytes("\"\"\r\n").ReadVariant(), Variant::String(""));
}

TEST(TextReaderTest, VariantEndsLikeNumberOrText) {
  TextReader reader = Bytes("12 abc def,  x y  \r\n");
  EXPECT_EQ(reader.ReadVariant(), Variant::Integer(12));
  EXPECT_EQ(reader.ReadVariant(), Variant::String("abc def"));
  EXPECT_EQ(reader.ReadVariant(), Variant::String("x y"));
  EXPECT_FALSE(reader.HasMoreData());
}

TEST(TextReaderTest, VariantSpecialForms) {
  TextReader reader = Bytes(
      "#TRUE#,#false#,#NULL#,#ERROR 52#,#2021-03-04#,#13:05:59#,#2021-03-04 13:05:59#\r\n"
      "#2021-13-04#,#TRUE,#maybe#\r\n");
  EXPECT_EQ(reader.ReadVariant(), Variant::Boolean(true));
  EXPECT_EQ(reader.ReadVariant(), Variant::Boolean(false));
  EXPECT_EQ(reader.ReadVariant(), Variant::Null());
  EXPECT_EQ(reader.ReadVariant(), Variant::Error(52));
  EXPECT_EQ(reader.ReadVariant(), Variant::Date("2021-03-04"));
  EXPECT_EQ(reader.ReadVariant(), Variant::Date("13:05:59"));
  EXPECT_EQ(reader.ReadVariant(), Variant::Date("2021-03-04 13:05:59"));
  EXPECT_EQ(reader.ReadVariant(), Variant::String("#2021-13-04#"));
  EXPECT_EQ(reader.ReadVariant(), Variant::String("#TRUE"));
  EXPECT_EQ(reader.ReadVariant(), Variant::String("#maybe#"));
}

TEST(TextReaderTest, BooleanValues) {
  TextReader marks = Bytes("#TRUE#,#FALSE#\r\n");
  EXPECT_TRUE(marks.ReadBool());
  EXPECT_FALSE(marks.ReadBool());

  TextReader words = Bytes("true,FALSE,\"True\",0,-1,2.5,\r\n");
  EXPECT_TRUE(words.ReadBool());
  EXPECT_FALSE(words.ReadBool());
  EXPECT_TRUE(words.ReadBool());
  EXPECT_FALSE(words.ReadBool());
  EXPECT_TRUE(words.ReadBool());
  EXPECT_TRUE(words.ReadBool());
  EXPECT_FALSE(words.ReadBool());

  EXPECT_EQ(ErrorOf([] { Bytes("yes\r\n").ReadBool(); }), kErrTypeMismatch);
}

TEST(TextReaderTest, EndOfFile) {
  TextReader blankLine = Bytes("1\r\n\r\n");
  EXPECT_EQ(blankLine.ReadInt16(), 1);
  EXPECT_TRUE(blankLine.HasMoreData());
  EXPECT_EQ(blankLine.ReadInt16(), 0);
  EXPECT_FALSE(blankLine.HasMoreData());

  TextReader single = Bytes("1\r\n");
  EXPECT_EQ(single.ReadInt16(), 1);
  EXPECT_EQ(ErrorOf([&] { single.ReadInt16(); }), kErrInputPastEndOfFile);

  EXPECT_EQ(ErrorOf([] { Bytes("").ReadInt16(); }), kErrInputPastEndOfFile);
  EXPECT_EQ(ErrorOf([] { Bytes("").ReadText(); }), kErrInputPastEndOfFile);
  EXPECT_EQ(ErrorOf([] { Bytes(" \t ").ReadVariant(); }), kErrInputPastEndOfFile);

  TextReader unterminated = Bytes("5");
  EXPECT_EQ(unterminated.ReadInt16(), 5);
  EXPECT_FALSE(unterminated.HasMoreData());

  TextReader trailingBlanks = Bytes("1\r\n   ");
  EXPECT_EQ(trailingBlanks.ReadInt16(), 1);
  EXPECT_TRUE(trailingBlanks.HasMoreData());
  EXPECT_EQ(ErrorOf([&] { trailingBlanks.ReadInt16(); }), kErrInputPastEndOfFile);
}

TEST(TextReaderTest, CtrlZEndsTheFile) {
  TextReader reader = Bytes("1\r\n\x1A zz");
  EXPECT_EQ(reader.ReadInt16(), 1);
  EXPECT_FALSE(reader.HasMoreData());
  EXPECT_EQ(ErrorOf([&] { reader.ReadText(); }), kErrInputPastEndOfFile);

  EXPECT_EQ(Bytes("\"ab\x1A\"cd").ReadText(), "ab");
}

TEST(TextReaderTest, OpenResolvesTheStoredPath) {
  TempFolder folder;
  folder.WriteFile("Data/Info.DAT", "\"Title\",3\r\n");
  TextReader reader = TextReader::Open(folder.Stored("data\\info.dat"));
  EXPECT_EQ(reader.ReadText(), "Title");
  EXPECT_EQ(reader.ReadInt16(), 3);
  EXPECT_FALSE(reader.HasMoreData());

  EXPECT_EQ(ErrorOf([&] { TextReader::Open(folder.Stored("data\\missing.dat")); }),
            kErrFileNotFound);
  EXPECT_EQ(ErrorOf([&] { TextReader::Open(folder.Stored("data")); }), kErrFileNotFound);
}

// Values that run across the blocks in which a file is read come out whole.
TEST(TextReaderTest, OpenReadsValuesAcrossBlocks) {
  TempFolder folder;
  const std::string longText(200000, 'x');
  std::string bytes = "\"" + longText + "\"\r\n" + longText + "  ,7\r\n";
  bytes += std::string(65536 - bytes.size() % 65536 - 2, ' ') + "-3 \x1A 9";
  folder.WriteFile("long.dat", bytes);
  TextReader reader = TextReader::Open(folder.Stored("long.dat"));
  EXPECT_EQ(reader.ReadText(), longText);
  EXPECT_EQ(reader.ReadVariant(), Variant::String(longText));
  EXPECT_EQ(reader.ReadInt16(), 7);
  EXPECT_EQ(reader.ReadInt16(), -3);
  EXPECT_FALSE(reader.HasMoreData());
}

// Reading a file's one long value costs about the value's size, whatever it
// is read as and whatever error it raises: the reader tells what the value
// is without copies of it.
TEST(TextReaderTest, LongValueCostsItsOwnSize) {
  static constexpr size_t kMegabytes = 32;
  static constexpr size_t kSize = kMegabytes << 20;
  struct Case {
    const char* what;
    std::string head;  // the value's start, then kSize of `fill`
    char fill;
    std::string tail;
    std::function<void(TextReader&)> read;
    int error;
  };
  const Case cases[] = {
      {"quoted text", "\"", 'x', "\"\r\n5\r\n",
       [](TextReader& r) {
         EXPECT_EQ(r.ReadText().size(), kSize);
         EXPECT_EQ(r.ReadInt16(), 5);
       },
       0},
      {"text as a Boolean", "", 'x', "\r\n", [](TextReader& r) { r.ReadBool(); }, kErrTypeMismatch},
      {"text between # signs", "#", 'x', "#\r\n",
       [](TextReader& r) { EXPECT_EQ(r.ReadVariant().Text().size(), kSize + 2); }, 0},
      {"digits as an integer", "1", '0', "\r\n", [](TextReader& r) { r.ReadInt16(); },
       kErrOverflow},
      {"digits as a value", "0.", '0', "1\r\n",
       [](TextReader& r) { EXPECT_EQ(r.ReadVariant(), Variant::Double(0)); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    {
      std::ofstream out(folder.Path() / "huge.dat", std::ios::binary);
      out << c.head << std::string(kSize, c.fill) << c.tail;
    }
    if (!ResetPeak()) GTEST_SKIP() << "no peak reset";
    const long before = PeakKilobytes();
    {
      TextReader reader = TextReader::Open(folder.Stored("huge.dat"));
      EXPECT_EQ(ErrorOf([&] { c.read(reader); }), c.error);
    }
    EXPECT_LT(PeakKilobytes() - before, static_cast<long>(kMegabytes + 8) * 1024);
  }
}

}  // namespace
}  // namespace tf
