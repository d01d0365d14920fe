#include "table/csv_text.h"

#include <gtest/gtest.h>

#include "table/db_errors.h"

namespace wrenly {
namespace {

using TRows = std::vector<std::vector<std::string>>;

const std::vector<std::string> kGatewayColumns = {"GATEWAY",   "USERNAME",   "PASSWORD",
                                                  "RECIPIENT", "ORIGINATOR", "APIID"};
const std::vector<std::string> kContactColumns = {"FIRSTNAME", "MIDDLENAME", "LASTNAME", "FULLNAME",
                                                  "MOBILE1",   "MOBILE2",    "MOBILE3"};
const std::string kGatewayHeader = "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID\r\n";

// Every defined column's value of every record, in definition order.
TRows Decoded(const TCsvContent& Content, std::size_t Columns) {
  TRows rows;
  for (const TRecordLine& record : Content.Records) {
    std::vector<std::string>& row = rows.emplace_back();
    for (std::size_t column = 0; column < Columns; ++column) {
      row.push_back(record.Value(Content.Layout.Positions[column]));
    }
  }
  return rows;
}

enum TOutcome { kReads, kCsvError, kRangeError };

struct TFileCase {
  const char* Name;
  bool Contacts;  // the contacts file (header not examined) instead of the accounts file
  std::string Text;
  TOutcome Outcome;
  TRows Records;  // trailing empty values may be left out
  std::string Error;

  friend void PrintTo(const TFileCase& Case, std::ostream* Out) { *Out << Case.Name; }
};

class CsvFile : public ::testing::TestWithParam<TFileCase> {};

TEST_P(CsvFile, ReadsAsExpected) {
  const TFileCase& c = GetParam();
  const auto& columns = c.Contacts ? kContactColumns : kGatewayColumns;
  const TCsvFormat format{.ValidateHeaderRow = !c.Contacts};
  const std::string fileName = c.Contacts ? "contacts.csv" : "gateways.csv";
  try {
    const TCsvContent content = ReadCsvText(c.Text, columns, format, fileName);
    ASSERT_EQ(c.Outcome, kReads) << "read without the error " << c.Error;
    TRows expected = c.Records;
    for (auto& row : expected) {
      row.resize(columns.size());
    }
    EXPECT_EQ(Decoded(content, columns.size()), expected);
  } catch (const ECsvDataSetError& error) {
    EXPECT_EQ(c.Outcome, kCsvError);
    EXPECT_EQ(error.what(), c.Error);
  } catch (const ERangeError& error) {
    EXPECT_EQ(c.Outcome, kRangeError);
    EXPECT_EQ(error.what(), c.Error);
  }
}

std::string ManyValues(int Count) {
  std::string line = "v0";
  for (int i = 1; i < Count; ++i) {
    line += ",v" + std::to_string(i);
  }
  return line;
}

const std::string kTooLong = "CSV string is too long: " + std::string(40, 'x') + "...";
const std::string kTooManyColumns =
    "CsvData - Internal Limit of MAXCOLUMNS (120) reached. CSV Data has too many columns";

INSTANTIATE_TEST_SUITE_P(
    Fixtures, CsvFile,
    ::testing::Values(
        TFileCase{"DefinitionOrder",
                  false,
                  kGatewayHeader + "KAPOW,me,pw,,,\r\nCLICKATELL,you,secret,,,42\r\n",
                  kReads,
                  {{"KAPOW", "me", "pw"}, {"CLICKATELL", "you", "secret", "", "", "42"}}},
        TFileCase{"HeaderInLowerCase",
                  false,
                  "gateway,username,password,recipient,originator,apiid\r\nKAPOW,me\r\n",
                  kReads,
                  {{"KAPOW", "me"}}},
        TFileCase{"ApiIdFirst",
                  false,
                  "APIID,GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR\r\n42,CLICKATELL,you\r\n",
                  kReads,
                  {{"CLICKATELL", "you", "", "", "", "42"}}},
        TFileCase{"MissingColumnsReadEmpty",
                  false,
                  "GATEWAY,USERNAME\r\nKAPOW,me\r\n",
                  kReads,
                  {{"KAPOW", "me"}}},
        TFileCase{"MissingColumnsMakeEmptyLinesRecords",
                  false,
                  "GATEWAY,USERNAME\r\nKAPOW,me\r\n\r\nCLICKATELL\r\n>>note\r\n",
                  kReads,
                  {{"KAPOW", "me"}, {}, {"CLICKATELL"}}},
        TFileCase{"UnknownColumn",
                  false,
                  "GATEWAY,USERNAME,PHONE\r\nKAPOW,me,1\r\n",
                  kCsvError,
                  {},
                  "gateways.csv: ProcessCsvHeaderRow: Field PHONE found in file, but not in "
                  "field definitions"},
        TFileCase{"ByteOrderMark",
                  false,
                  "\xEF\xBB\xBFGATEWAY,USERNAME\r\nKAPOW,me\r\n",
                  kCsvError,
                  {},
                  "gateways.csv: ProcessCsvHeaderRow: Field \xEF\xBB\xBFGATEWAY found in file, "
                  "but not in field definitions"},
        TFileCase{"HeaderEndingInSeparator",
                  false,
                  "GATEWAY,USERNAME,\r\nKAPOW,me\r\n",
                  kCsvError,
                  {},
                  "gateways.csv: Error processing first line of CSV file"},
        TFileCase{"BlanksAndTypesInHeader",
                  false,
                  " GATEWAY\t, username : String ,APIID:Integer\r\nKAPOW,me,1\r\n",
                  kReads,
                  {{"KAPOW", "me", "", "", "", "1"}}},
        TFileCase{"EmptyHeaderLine",
                  false,
                  "\r\nKAPOW,me,pw,,,7\r\n",
                  kReads,
                  {{"KAPOW", "me", "pw", "", "", "7"}}},
        TFileCase{"EmptyFile", false, "", kReads, {}},
        TFileCase{"HeaderWithoutLineBreak",
                  false,
                  "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID",
                  kReads,
                  {}},
        TFileCase{"QuotesAndDoubledQuotes",
                  false,
                  kGatewayHeader + "\"KAP,OW\",\"say \"\"hi\"\"\",\"\",x\r\n",
                  kReads,
                  {{"KAP,OW", "say \"hi\"", "", "x"}}},
        TFileCase{"BlanksAroundValues",
                  false,
                  kGatewayHeader + "  KAPOW \t,\t me  ,\" padded \"\r\n",
                  kReads,
                  {{"KAPOW", "me", " padded "}}},
        TFileCase{"CommentsAndEmptyLinesSkipped",
                  false,
                  kGatewayHeader + ">>comment\r\n\r\nKAPOW\r\n>>x,y\r\n\r\n",
                  kReads,
                  {{"KAPOW"}}},
        TFileCase{
            "LineFeeds", false, "GATEWAY,USERNAME\nA,1\nB,2\n", kReads, {{"A", "1"}, {"B", "2"}}},
        TFileCase{"CarriageReturns",
                  false,
                  "GATEWAY,USERNAME\rA,1\rB,2",
                  kReads,
                  {{"A", "1"}, {"B", "2"}}},
        TFileCase{"MixedLineBreaks",
                  false,
                  kGatewayHeader + "A\nB\rC\r\n\nD",
                  kReads,
                  {{"A"}, {"B"}, {"C"}, {"D"}}},
        TFileCase{"NulEndsTheText",
                  false,
                  kGatewayHeader + std::string("A\r\nB\0\r\nC\r\n", 9),
                  kReads,
                  {{"A"}, {"B"}}},
        TFileCase{"LineOf2046Characters",
                  false,
                  kGatewayHeader + std::string(2046, 'x'),
                  kReads,
                  {{std::string(2046, 'x')}}},
        TFileCase{"LineOf2047Characters",
                  false,
                  kGatewayHeader + "ok\r\n" + std::string(2047, 'x') + "\r\n",
                  kCsvError,
                  {},
                  kTooLong},
        TFileCase{"LineOf120Values",
                  true,
                  "h\r\n" + ManyValues(120),
                  kReads,
                  {{"v0", "v1", "v2", "v3", "v4", "v5", "v6"}}},
        TFileCase{
            "LineOf121Values", true, "h\r\n" + ManyValues(121), kRangeError, {}, kTooManyColumns},
        TFileCase{"HeaderOf2048Characters",
                  false,
                  "GATEWAY" + std::string(2041, ' '),
                  kRangeError,
                  {},
                  kTooManyColumns},
        TFileCase{"ContactsHeaderIgnored",
                  true,
                  "\xEF\xBB\xBFwhatever,PHONE,\r\nJohn,,Smith,John Smith,0711\r\n",
                  kReads,
                  {{"John", "", "Smith", "John Smith", "0711"}}},
        TFileCase{"ContactsLongHeaderIgnored",
                  true,
                  std::string(3000, 'h') + "\r\n\r\nJohn\r\n",
                  kReads,
                  {{"John"}}},
        TFileCase{"ContactsFewerAndMoreValues",
                  true,
                  "h\r\nJohn\r\nA,B,C,D,E,F,G,extra1,extra2\r\n",
                  kReads,
                  {{"John"}, {"A", "B", "C", "D", "E", "F", "G"}}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(CsvFileText, KeepsRecordLinesAsTheyWereRead) {
  const std::string text = kGatewayHeader + " KAPOW , \"me\" ,,,,,extra\r\n";
  const TCsvContent content = ReadCsvText(text, kGatewayColumns, {}, "gateways.csv");
  ASSERT_EQ(content.Records.size(), 1u);
  EXPECT_EQ(content.Records[0].Text(), " KAPOW , \"me\" ,,,,,extra");
}

TEST(CsvFileText, WritesEveryLineWithCrLf) {
  const TCsvLayout layout = DefinitionLayout(kGatewayColumns);
  std::vector<TRecordLine> records;
  records.emplace_back("KAPOW,,,,,", ',');
  records.emplace_back("CLICKATELL,me,\"p,w\",,,42", ',');
  EXPECT_EQ(WriteCsvText(layout, records, {}),
            kGatewayHeader + "KAPOW,,,,,\r\nCLICKATELL,me,\"p,w\",,,42\r\n");
  EXPECT_EQ(WriteCsvText(layout, {}, {}), kGatewayHeader);
  EXPECT_EQ(WriteCsvText(DefinitionLayout({"GATEWATY"}), {}, {}), "GATEWATY\r\n");
  EXPECT_EQ(WriteCsvText(layout, records, {.HasHeaderRow = false}),
            "KAPOW,,,,,\r\nCLICKATELL,me,\"p,w\",,,42\r\n");
}

TEST(CsvFileText, WritesTheHeaderInTheOrderOfTheFileItRead) {
  // The file's own columns first, then the defined ones it lacked: header and values agree.
  const std::string read = "apiid,Gateway,USERNAME\n42,CLICKATELL,you\n>>gone\n7,KAPOW\n";
  const TCsvContent content = ReadCsvText(read, kGatewayColumns, {}, "gateways.csv");
  const std::string written = WriteCsvText(content.Layout, content.Records, {});
  EXPECT_EQ(written,
            "APIID,GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR\r\n"
            "42,CLICKATELL,you,,,\r\n"
            "7,KAPOW,,,\r\n");
  const TCsvContent again = ReadCsvText(written, kGatewayColumns, {}, "gateways.csv");
  EXPECT_EQ(Decoded(again, 6), Decoded(content, 6));
}

TEST(CsvFileText, ReadsEveryLineAsARecordWithoutAHeaderRow) {
  const TCsvContent content =
      ReadCsvText("GATEWAY\r\nKAPOW\r\n", kGatewayColumns, {.HasHeaderRow = false}, "x");
  EXPECT_EQ(Decoded(content, 1), (TRows{{"GATEWAY"}, {"KAPOW"}}));
}

TEST(CsvFieldDef, SplitsNamesAndDropsBlanksAndTypes) {
  EXPECT_EQ(ParseCsvFieldDef("FIRSTNAME, MIDDLENAME ,\tLAST:String,AGE;Integer", ','),
            (std::vector<std::string>{"FIRSTNAME", "MIDDLENAME", "LAST", "AGE"}));
  EXPECT_EQ(ParseCsvFieldDef("A;B:x", ';'), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(ParseCsvFieldDef("GATEWATY", ','), (std::vector<std::string>{"GATEWATY"}));
  EXPECT_TRUE(ParseCsvFieldDef("", ',').empty());
}

TEST(CsvFieldDef, RefusesMoreThan120ColumnsOrAVeryLongDefinition) {
  EXPECT_EQ(ParseCsvFieldDef(ManyValues(120), ',').size(), 120u);
  EXPECT_THROW(ParseCsvFieldDef(ManyValues(121), ','), ERangeError);
  EXPECT_THROW(ParseCsvFieldDef("A" + std::string(2047, ' '), ','), ERangeError);
}

}  // namespace
}  // namespace wrenly
