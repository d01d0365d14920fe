#include "table/csv_dataset.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "table/db_errors.h"
#include "table/file_io.h"
#include "table/wrenly_tables.h"
#include "table_test_support.h"
#include "temp_dir.h"

namespace wrenly {
namespace {

namespace fs = std::filesystem;
using testing::Column;
using testing::MessageOf;
using testing::ScopedCurrentDir;
using testing::TempDir;
using testing::Value;

const std::string kGatewayHeader = "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID\r\n";
const std::string kContactHeader =
    "FIRSTNAME,MIDDLENAME,LASTNAME,FULLNAME,MOBILE1,MOBILE2,MOBILE3\r\n";

fs::perms Permissions(const fs::path& Path) {
  return fs::status(Path).permissions() & fs::perms::all;
}

std::vector<std::string> Entries(const fs::path& Dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Runs Child in a forked process and returns how it ended (as waitpid reports it).
int InChild(const std::function<int()>& Child) {
  const pid_t pid = fork();
  if (pid == 0) {
    int code = 99;
    try {
      code = Child();
    } catch (...) {
    }
    _exit(code);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

class CsvTableFile : public ::testing::Test {
 protected:
  TempDir dir;
  ScopedCurrentDir cwd{dir.Path()};

  template <typename Configure>
  std::unique_ptr<TCsvDataSet> Opened(Configure& Setup) {
    auto table = std::make_unique<TCsvDataSet>();
    Setup(*table);
    table->Open();
    return table;
  }
};

TEST_F(CsvTableFile, AMissingFileIsCreatedOnlyAfterAChangeAndOwnerOnly) {
  auto table = Opened(ConfigureGatewaysDS);
  EXPECT_TRUE(table->IsEmpty());
  table->Close();
  EXPECT_FALSE(dir.Exists("gateways.csv"));

  table->Open();
  for (const char* provider : {"CLICKATELL", "KAPOW"}) {
    table->Insert();
    table->FieldByName("GATEWAY").SetAsString(provider);
    table->Post();
  }
  table.reset();  // destroying an open table writes it
  EXPECT_EQ(dir.Read("gateways.csv"), kGatewayHeader + "KAPOW,,,,,\r\nCLICKATELL,,,,,\r\n");
  EXPECT_EQ(Permissions(dir / "gateways.csv"), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"gateways.csv"}));
}

TEST_F(CsvTableFile, AnUntouchedFileKeepsItsBytesAndTimeStamp) {
  const std::string bytes = "whatever\nJohn,,Smith\n>>note\n\n  Mary , \"A\" ,Jones\r";
  dir.Write("contacts.csv", bytes);
  const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  fs::last_write_time(dir / "contacts.csv", stamp);
  auto table = Opened(ConfigureContactsDS);
  table->Last();
  table->Edit();
  table->Cancel();
  table->Insert();
  table->First();
  EXPECT_FALSE(table->Changed());
  table->Close();
  EXPECT_EQ(dir.Read("contacts.csv"), bytes);
  EXPECT_EQ(fs::last_write_time(dir / "contacts.csv"), stamp);
}

TEST_F(CsvTableFile, AWrittenFileKeepsEveryUntouchedLineAsItWas) {
  dir.Write("contacts.csv",
            "anything at all\n"
            "  John , \"Q\" ,Smith,,0711,,,extra,\"more, here\"\n"
            ">>comment\n"
            "\n"
            "Mary,,Jones\r"
            "Ann\r\n");
  auto table = Opened(ConfigureContactsDS);
  EXPECT_EQ(Value(*table, "FIRSTNAME"), "John");
  EXPECT_EQ(Value(*table, "MIDDLENAME"), "Q");
  table->Next();
  table->Edit();
  table->FieldByName("MOBILE2").SetAsString("0722, home");
  table->Post();
  table->Last();
  table->Edit();
  table->FieldByName("MOBILE3").SetAsString("say \"hi\"");
  table->Post();
  table->Close();
  EXPECT_EQ(dir.Read("contacts.csv"), kContactHeader +
                                          "  John , \"Q\" ,Smith,,0711,,,extra,\"more, here\"\r\n"
                                          "Mary,,Jones,,,\"0722, home\"\r\n"
                                          "Ann,,,,,,\"say \"\"hi\"\"\"\r\n");
  table->Open();
  table->Last();
  EXPECT_EQ(Value(*table, "MOBILE3"), "say \"hi\"");
}

TEST_F(CsvTableFile, AHeaderInAnotherOrderIsWrittenBackWithItsValues) {
  dir.Write("gateways.csv", "apiid,Gateway\r\n42,CLICKATELL\r\n");
  auto table = Opened(ConfigureGatewaysDS);
  table->Edit();
  table->FieldByName("USERNAME").SetAsString("me");
  table->Append();
  table->FieldByName("GATEWAY").SetAsString("KAPOW");
  table->Post();
  table->Close();
  EXPECT_EQ(dir.Read("gateways.csv"),
            "APIID,GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR\r\n"
            "42,CLICKATELL,me,,,\r\n"
            ",KAPOW,,,,\r\n");
  table->Open();
  EXPECT_EQ(Column(*table, "GATEWAY"), (std::vector<std::string>{"CLICKATELL", "KAPOW"}));
  EXPECT_EQ(Column(*table, "APIID"), (std::vector<std::string>{"42", ""}));
  EXPECT_EQ(Column(*table, "USERNAME"), (std::vector<std::string>{"me", ""}));
}

TEST_F(CsvTableFile, CancelledWritesAndDeletionsStillRewriteTheFile) {
  const std::string bytes = kGatewayHeader + "KAPOW,me,,,,\r\n";
  dir.Write("gateways.csv", bytes);
  const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  fs::last_write_time(dir / "gateways.csv", stamp);
  auto table = Opened(ConfigureGatewaysDS);
  table->Edit();
  table->FieldByName("USERNAME").SetAsString("you");
  table->Cancel();
  EXPECT_TRUE(table->Changed());
  table->Close();
  EXPECT_EQ(dir.Read("gateways.csv"), bytes);
  EXPECT_NE(fs::last_write_time(dir / "gateways.csv"), stamp);

  table->Open();
  table->Delete();
  table->Close();
  EXPECT_EQ(dir.Read("gateways.csv"), kGatewayHeader);
}

TEST_F(CsvTableFile, ADefaultProviderRecordWithoutValueIsNotReadBack) {
  auto table = Opened(ConfigureDefGway);
  table->Insert();
  table->FieldByName("GATEWATY").SetAsString("");
  table->Post();
  EXPECT_EQ(table->RecordCount(), 1);
  table->Close();
  EXPECT_EQ(dir.Read("defgway.csv"), "GATEWATY\r\n\r\n");
  table->Open();
  EXPECT_EQ(table->RecordCount(), 0);
}

TEST_F(CsvTableFile, LocateComparesWholeValuesWithoutOuterBlanks) {
  const std::string longName(85, 'n');
  dir.Write("contacts.csv", "h\r\n  John  ,,Smith\r\n" + longName + "\r\n");
  auto table = Opened(ConfigureContactsDS);
  table->Last();
  EXPECT_TRUE(table->Locate("FIRSTNAME", "John"));
  EXPECT_EQ(table->RecNo(), 0);
  EXPECT_TRUE(table->Locate("FIRSTNAME", longName));
  EXPECT_EQ(Value(*table, "FIRSTNAME"), std::string(80, 'n'));
  EXPECT_FALSE(table->Locate("FIRSTNAME", std::string(80, 'n')));
}

TEST_F(CsvTableFile, AnExistingFileKeepsItsPermissionsAndItsLink) {
  dir.Write("accounts.csv", kGatewayHeader + "KAPOW,,,,,\r\n");
  fs::permissions(dir / "accounts.csv", fs::perms::owner_read | fs::perms::owner_write |
                                            fs::perms::group_read | fs::perms::others_read);
  fs::create_symlink("accounts.csv", dir / "gateways.csv");
  auto table = Opened(ConfigureGatewaysDS);
  table->Edit();
  table->FieldByName("USERNAME").SetAsString("me");
  table->Post();
  table->Close();
  EXPECT_TRUE(fs::is_symlink(dir / "gateways.csv"));
  EXPECT_EQ(dir.Read("accounts.csv"), kGatewayHeader + "KAPOW,me,,,,\r\n");
  EXPECT_EQ(Permissions(dir / "accounts.csv"), fs::perms::owner_read | fs::perms::owner_write |
                                                   fs::perms::group_read | fs::perms::others_read);
}

TEST_F(CsvTableFile, AFailedWriteKeepsTheRecordsAndIsTriedAgain) {
  dir.Write("blocked", "a file where the directory should be");
  const std::string path = (dir / "blocked" / "gateways.csv").string();
  auto table = std::make_unique<TCsvDataSet>();
  ConfigureGatewaysDS(*table);
  table->FileName = "blocked/gateways.csv";
  table->Open();
  table->Insert();
  table->FieldByName("GATEWAY").SetAsString("KAPOW");
  table->Post();
  EXPECT_EQ(MessageOf<EFCreateError>([&] { table->Close(); }),
            "Cannot create file \"" + path + "\". Not a directory");
  EXPECT_EQ(table->State(), dsInactive);
  EXPECT_EQ(table->RecordCount(), 1);
  EXPECT_TRUE(table->Changed());
  EXPECT_THROW(table->Open(), EFCreateError);  // the retry fails the same way
  EXPECT_EQ(table->RecordCount(), 1);

  fs::remove(dir / "blocked");
  table->Open();  // writes first, then reads what it wrote
  EXPECT_EQ(dir.Read("blocked/gateways.csv"), kGatewayHeader + "KAPOW,,,,,\r\n");
  EXPECT_FALSE(table->Changed());
  EXPECT_EQ(Value(*table, "GATEWAY"), "KAPOW");

  table->Edit();
  table->FieldByName("USERNAME").SetAsString("me");
  table->Post();
  fs::remove_all(dir / "blocked");
  dir.Write("blocked", "");
  EXPECT_THROW(table->Close(), EFCreateError);
  fs::remove(dir / "blocked");
  table.reset();  // destruction tries once more
  EXPECT_EQ(dir.Read("blocked/gateways.csv"), kGatewayHeader + "KAPOW,me,,,,\r\n");
}

TEST_F(CsvTableFile, AWriteThatFailsPartWayLeavesTheOldFileWhole) {
  const std::string old = kGatewayHeader + "KAPOW,me,secret,,,\r\n";
  dir.Write("gateways.csv", old);
  const int status = InChild([] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    TCsvDataSet table;
    ConfigureGatewaysDS(table);
    table.Open();
    for (int i = 0; i < 100; ++i) {
      table.Append();
      table.FieldByName("USERNAME").SetAsString(std::string(80, 'u'));
      table.Post();
    }
    try {
      table.Close();
    } catch (const EFCreateError& error) {
      const bool expected = std::string(error.what()).ends_with("gateways.csv\". File too large");
      return expected && table.RecordCount() == 101 && table.Changed() ? 0 : 2;
    }
    return 1;
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(dir.Read("gateways.csv"), old);
  EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"gateways.csv"}));
}

TEST_F(CsvTableFile, AProgramKilledBeforeTheRenameLeavesTheOldFileWhole) {
  const std::string old = kGatewayHeader + "KAPOW,me,secret,,,\r\n";
  dir.Write("gateways.csv", old);
  fs::permissions(dir / "gateways.csv", fs::perms::owner_read | fs::perms::owner_write);
  const std::string path = (dir / "gateways.csv").string();
  const int status = InChild([&] {
    ReplaceFileContents(path, kGatewayHeader + "CLICKATELL,,,,,\r\n",
                        [](const std::string&) { std::raise(SIGKILL); });
    return 1;
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(dir.Read("gateways.csv"), old);
  // The complete temporary file stays behind, no more open than the file it was to replace,
  // and is never taken for the table.
  const std::vector<std::string> entries = Entries(dir.Path());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_TRUE(entries[0].starts_with(".gateways.csv.")) << entries[0];
  EXPECT_EQ(Permissions(dir / entries[0]), Permissions(dir / "gateways.csv"));
  auto table = Opened(ConfigureGatewaysDS);
  EXPECT_EQ(Column(*table, "GATEWAY"), (std::vector<std::string>{"KAPOW"}));
}

TEST_F(CsvTableFile, AFileThatCannotBeReadLeavesTheTableClosedAndEmpty) {
  fs::create_directory(dir / "gateways.csv");
  dir.Write("defgway.csv", "GATEWATY,\r\nKAPOW\r\n");
  const struct {
    void (&Configure)(TCsvDataSet&);
    std::string Message;
  } cases[] = {
      {ConfigureGatewaysDS,
       "Cannot open file \"" + (dir / "gateways.csv").string() + "\". Is a directory"},
      {ConfigureDefGway, "defgway.csv: Error processing first line of CSV file"},
  };
  for (const auto& c : cases) {
    TCsvDataSet table;
    c.Configure(table);
    try {
      table.Open();
      ADD_FAILURE() << "opened";
    } catch (const std::exception& error) {
      EXPECT_EQ(error.what(), c.Message);
    }
    EXPECT_EQ(table.State(), dsInactive);
    EXPECT_EQ(table.RecordCount(), 0);
  }
  TCsvDataSet unbound;
  ConfigureDefGway(unbound);
  unbound.AddField("PHONE");
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { unbound.Open(); }), "DefGway: Field 'PHONE' not found");
}

TEST_F(CsvTableFile, NamesStartingWithDotSlashStayInTheStartDirectory) {
  TempDir elsewhere;
  TCsvDataSet startDir;
  startDir.FileName = "./kept.csv";
  TCsvDataSet current;
  current.FileName = "moving.csv";
  TCsvDataSet absolute;
  absolute.FileName = (elsewhere / "abs.csv").string();
  ScopedCurrentDir moved(elsewhere.Path());
  for (TCsvDataSet* table : {&startDir, &current, &absolute}) {
    table->Open();
  }
  EXPECT_EQ(startDir.FilePath(), (dir / "kept.csv").string());
  EXPECT_EQ(current.FilePath(), (elsewhere / "moving.csv").string());
  EXPECT_EQ(absolute.FilePath(), (elsewhere / "abs.csv").string());
}

TEST(ProgramTables, AreConfiguredAsTheProgramUsesThem) {
  const struct {
    void (&Configure)(TCsvDataSet&);
    const char* Name;
    const char* FileName;
    const char* FieldDef;
    bool ValidateHeaderRow;
    bool CaseInsensitive;
  } cases[] = {
      {ConfigureContactsDS, "ContactsDS", "contacts.csv",
       "FIRSTNAME,MIDDLENAME,LASTNAME,FULLNAME,MOBILE1,MOBILE2,MOBILE3", false, true},
      {ConfigureGatewaysDS, "GatewaysDS", "gateways.csv",
       "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID", true, false},
      {ConfigureDefGway, "DefGway", "defgway.csv", "GATEWATY", true, false},
  };
  for (const auto& c : cases) {
    TCsvDataSet table;
    c.Configure(table);
    EXPECT_EQ(table.Name, c.Name);
    EXPECT_EQ(table.FileName, c.FileName);
    EXPECT_EQ(table.CsvFieldDef, c.FieldDef);
    EXPECT_EQ(table.ValidateHeaderRow, c.ValidateHeaderRow) << c.Name;
    EXPECT_EQ(table.CaseInsensitive, c.CaseInsensitive) << c.Name;
    EXPECT_TRUE(table.HasHeaderRow && table.LoadsFromFile && table.SavesChanges);
    EXPECT_EQ(table.Separator, ',');
    std::string stored;
    for (int i = 0; i < table.FieldCount(); ++i) {
      const TField& field = table.Fields(i);
      EXPECT_EQ(field.Size(), 80);
      EXPECT_EQ(field.Index(), i);
      if (field.FieldKind() == fkData) {
        stored += (stored.empty() ? "" : ",") + field.FieldName();
      } else {
        EXPECT_EQ(field.FieldName(), "CalcFullName");
        EXPECT_EQ(i, 7);
      }
    }
    EXPECT_EQ(stored, c.FieldDef);
  }
}

}  // namespace
}  // namespace wrenly
