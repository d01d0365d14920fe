#include "table/csv_line.h"

#include <gtest/gtest.h>

#include <memory>

#include "table/db_errors.h"

namespace wrenly {
namespace {

std::string Repeat(std::string_view Part, int Times) {
  std::string text;
  for (int i = 0; i < Times; ++i) {
    text += Part;
  }
  return text;
}

TEST(RecordLine, CountsOneValueMoreThanSeparatorsOutsideQuotes) {
  const struct {
    std::string_view Line;
    int Values;
  } cases[] = {
      {"", 1},
      {"KAPOW,,,,,", 6},
      {"a,\"b,c\",d", 3},
      {"\"a\"\"b,c\",d", 2},  // a doubled quote inside quotes does not end them
      {"ab\"c,d\"e,f", 2},    // a quote inside a value switches as well
      {"\"open,to,the end", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TRecordLine(std::string(c.Line), ',').ValueCount(), c.Values) << c.Line;
  }
}

TEST(RecordLine, AcceptsAtMost120Values) {
  EXPECT_EQ(TRecordLine(Repeat(",", 119), ',').ValueCount(), 120);
  try {
    TRecordLine(Repeat(",", 120), ',');
    FAIL() << "121 values were accepted";
  } catch (const ERangeError& error) {
    EXPECT_STREQ(error.what(),
                 "CsvData - Internal Limit of MAXCOLUMNS (120) reached. CSV Data has too many "
                 "columns");
  }
}

TEST(RecordLine, DecodesEachValue) {
  const struct {
    std::string_view Line;
    int Position;
    std::string_view Value;
  } cases[] = {
      {"  John \t,Smith", 0, "John"},
      {"a, \"x, y\" ,b", 1, "x, y"},
      {"\"say \"\"hi\"\"\"", 0, "say \"hi\""},
      {"\"\"\"\"\"\"", 0, "\"\""},
      {"\"\"", 0, ""},
      {"\"", 0, "\""},
      {"\"abc", 0, "\"abc"},
      {"abc\"", 0, "abc\""},
      {"\"a\\nb\\\\c\"", 0, "a\\nb\\\\c"},  // backslash sequences stay as they are
      {"a,b", 2, ""},
      {"a,b", 7, ""},
      {"KAPOW,,,,,", 5, ""},
      {"a,b,extra,more", 3, "more"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TRecordLine(std::string(c.Line), ',').Value(c.Position), c.Value)
        << c.Line << " @" << c.Position;
  }
}

TEST(EncodeCsvValue, QuotesOnlyWhatWouldBreakTheLine) {
  const struct {
    std::string_view Text;
    std::string_view Encoded;
  } cases[] = {
      {"John", "John"},
      {"  lead and trail  ", "  lead and trail  "},
      {"a\\b", "a\\b"},
      {"", ""},
      {"Smith, John", "\"Smith, John\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"one\r\ntwo", "\"one\\r\\ntwo\""},
      {std::string_view("tab\t,bell\a,nul\0", 15), "\"tab\t,bell,nul\""},
      {"back\\slash,", "\"back\\slash,\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeCsvValue(c.Text, ','), c.Encoded) << c.Text;
  }
  EXPECT_EQ(EncodeCsvValue("a;b", ';'), "\"a;b\"");
  EXPECT_EQ(EncodeCsvValue("a,b", ';'), "a,b");
}

TEST(RecordLine, WritingAValueKeepsEveryOtherByte) {
  TRecordLine line(" a ,\"q,uoted\",  c  ,extra", ',');
  line.SetValue(1, "new, value", ',');
  EXPECT_EQ(line.Text(), " a ,\"new, value\",  c  ,extra");
  line.SetValue(2, "", ',');
  EXPECT_EQ(line.Text(), " a ,\"new, value\",,extra");
  line.SetValue(0, "x", ',');
  EXPECT_EQ(line.Text(), "x,\"new, value\",,extra");
  EXPECT_EQ(line.Value(1), "new, value");
  EXPECT_EQ(line.Value(3), "extra");
}

TEST(RecordLine, WritingPastTheLastValueAddsEmptyValuesFirst) {
  TRecordLine line("KAPOW,me", ',');
  line.SetValue(5, "1234", ',');
  EXPECT_EQ(line.Text(), "KAPOW,me,,,,1234");
  TRecordLine empty;
  empty.SetValue(0, "CLICKATELL", ',');
  EXPECT_EQ(empty.Text(), "CLICKATELL");
}

TEST(RecordLine, WrittenValuesReadBackAsTheyWereWritten) {
  // Except the blanks around a value, which reading always removes.
  const struct {
    std::string_view Written;
    std::string_view Read;
  } cases[] = {
      {"plain", "plain"},
      {"Smith, John", "Smith, John"},
      {"\"", "\""},
      {"say \"hi\", ok", "say \"hi\", ok"},
      {"  padded  ", "padded"},
      {"\"quoted\"", "\"quoted\""},
  };
  for (const auto& c : cases) {
    TRecordLine line("first,,last", ',');
    line.SetValue(1, c.Written, ',');
    EXPECT_EQ(line.Value(1), c.Read) << c.Written;
    EXPECT_EQ(line.Value(0), "first");
    EXPECT_EQ(line.Value(2), "last");
  }
}

TEST(RecordLine, ACopyKeepsItsTextWhenTheOriginalChangesOrGoes) {
  auto line = std::make_unique<TRecordLine>("a,b", ',');
  TRecordLine copy = *line;
  line->SetValue(0, "changed", ',');
  EXPECT_EQ(copy.Text(), "a,b");
  copy = *line;
  line.reset();
  EXPECT_EQ(copy.Value(0), "changed");
  EXPECT_EQ(copy.Value(1), "b");
}

TEST(RecordLine, RefusesAWriteThatWouldMakeTheLineUnreadable) {
  // Reading refuses lines of 2047 characters or more, so a line may never grow to that.
  const std::string start = "start," + std::string(1959, 'x') + ",";
  TRecordLine line(start, ',');
  line.SetValue(2, std::string(80, 'y'), ',');  // 2046 characters: still readable
  EXPECT_EQ(line.Text().size(), 2046u);
  try {
    line.SetValue(0, "starts", ',');
    FAIL() << "a line of 2047 characters was made";
  } catch (const ECsvDataSetError& error) {
    EXPECT_EQ(std::string(error.what()),
              "CSV string is too long: starts," + std::string(33, 'x') + "...");
  }
  EXPECT_EQ(line.Value(0), "start");
  EXPECT_EQ(line.Text().size(), 2046u);
}

}  // namespace
}  // namespace wrenly
