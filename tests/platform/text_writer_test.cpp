#include "platform/runtime/text_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "platform/runtime_test_support.h"

namespace tf {
namespace {

TEST(TextWriterTest, FormatsEachKindOfValue) {
  EXPECT_EQ(TextWriter::Format(Variant::Empty()), "");
  EXPECT_EQ(TextWriter::Format(Variant::Null()), "#NULL#");
  EXPECT_EQ(TextWriter::Format(Variant::Boolean(true)), "#TRUE#");
  EXPECT_EQ(TextWriter::Format(Variant::Boolean(false)), "#FALSE#");
  EXPECT_EQ(TextWriter::Format(Variant::Integer(-5)), "-5");
  EXPECT_EQ(TextWriter::Format(Variant::Long(40000)), "40000");
  EXPECT_EQ(TextWriter::Format(Variant::Double(-2.25)), "-2.25");
  EXPECT_EQ(TextWriter::Format(Variant::Double(0.5)), "0.5");
  EXPECT_EQ(TextWriter::Format(Variant::Double(1234567.0)), "1234567");
  EXPECT_EQ(TextWriter::Format(Variant::String("a, 'b'")), "\"a, 'b'\"");
  EXPECT_EQ(TextWriter::Format(Variant::Date("2021-03-04")), "#2021-03-04#");
  EXPECT_EQ(TextWriter::Format(Variant::Error(52)), "#ERROR 52#");
}

TEST(TextWriterTest, WritesCommasBetweenValuesAndCrLfAfterLines) {
  TempFolder folder;
  TextWriter writer = TextWriter::Create(folder.Stored("out.txt"));
  writer.WriteText("a");
  writer.WriteInt(-3);
  writer.WriteVariant(Variant::Empty());
  writer.WriteBool(true);
  writer.EndLine();
  writer.WriteInt(7);
  writer.EndLine();
  writer.EndLine();
  writer.Close();
  EXPECT_EQ(folder.ReadFile("out.txt"), "\"a\",-3,,#TRUE#\r\n7\r\n\r\n");
}

TEST(TextWriterTest, RoundTripsThroughTheReader) {
  TempFolder folder;
  TextWriter writer = TextWriter::Create(folder.Stored("round.sav"));
  writer.WriteText(" Tom, the 'cat'\r\nline two ");
  writer.WriteText("");
  writer.WriteInt(-32768);
  writer.EndLine();
  writer.WriteBool(false);
  writer.WriteVariant(Variant::Double(0.1));
  writer.WriteVariant(Variant::Long(-70000));
  writer.WriteVariant(Variant::Null());
  writer.WriteVariant(Variant::Empty());
  writer.WriteVariant(Variant::Date("2021-03-04 13:05:59"));
  writer.WriteVariant(Variant::Error(9));
  writer.WriteVariant(Variant::String("12"));
  writer.EndLine();
  writer.Close();

  TextReader reader = TextReader::Open(folder.Stored("ROUND.SAV"));
  EXPECT_EQ(reader.ReadText(), " Tom, the 'cat'\r\nline two ");
  EXPECT_EQ(reader.ReadText(), "");
  EXPECT_EQ(reader.ReadInt16(), -32768);
  EXPECT_FALSE(reader.ReadBool());
  EXPECT_EQ(reader.ReadVariant(), Variant::Double(0.1));
  EXPECT_EQ(reader.ReadVariant(), Variant::Long(-70000));
  EXPECT_EQ(reader.ReadVariant(), Variant::Null());
  EXPECT_EQ(reader.ReadVariant(), Variant::Empty());
  EXPECT_EQ(reader.ReadVariant(), Variant::Date("2021-03-04 13:05:59"));
  EXPECT_EQ(reader.ReadVariant(), Variant::Error(9));
  EXPECT_EQ(reader.ReadVariant(), Variant::String("12"));
  EXPECT_FALSE(reader.HasMoreData());
}

TEST(TextWriterTest, RefusesTextsThatCouldNotBeReadBack) {
  TempFolder folder;
  TextWriter writer = TextWriter::Create(folder.Stored("out.txt"));
  writer.WriteText("a");
  EXPECT_EQ(ErrorOf([&] { writer.WriteText("say \"hi\""); }), kErrInvalidCall);
  EXPECT_EQ(ErrorOf([&] { writer.WriteVariant(Variant::String("cut\x1Ahere")); }), kErrInvalidCall);
  writer.WriteText("b");
  writer.EndLine();
  writer.Close();
  EXPECT_EQ(folder.ReadFile("out.txt"), "\"a\",\"b\"\r\n");
}

TEST(TextWriterTest, CreateReusesFolderAndFileInOtherCase) {
  TempFolder folder;
  folder.WriteFile("CONFIG/Save.TXT", "old contents");
  TextWriter writer = TextWriter::Create(folder.Stored("config\\save.txt"));
  writer.WriteInt(1);
  writer.EndLine();
  writer.Close();
  EXPECT_EQ(folder.ReadFile("CONFIG/Save.TXT"), "1\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "config"));

  TextWriter fresh = TextWriter::Create(folder.Stored("config\\New.txt"));
  fresh.Close();
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "CONFIG" / "New.txt"));
}

TEST(TextWriterTest, ReportsFilesThatCannotBeWritten) {
  TempFolder folder;
  EXPECT_EQ(ErrorOf([&] { TextWriter::Create(folder.Stored("nowhere\\a.txt")); }),
            kErrFileNotFound);
  std::filesystem::create_directory(folder.Path() / "taken");
  EXPECT_EQ(ErrorOf([&] { TextWriter::Create(folder.Stored("taken")); }), kErrBadFileNameOrNumber);

  TextWriter writer = TextWriter::Create(folder.Stored("closed.txt"));
  writer.Close();
  EXPECT_EQ(ErrorOf([&] { writer.WriteInt(1); }), kErrBadFileNameOrNumber);
  EXPECT_EQ(ErrorOf([&] { writer.EndLine(); }), kErrBadFileNameOrNumber);
}

}  // namespace
}  // namespace tf
