#include "providers/provider_account.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "../table/table_test_support.h"
#include "table/wrenly_tables.h"

namespace wrenly {
namespace {

using testing::MemoryTable;
using testing::TRows;

std::vector<std::string> Fields(const TProviderAccount& Account) {
  return {Account.UserName, Account.Password, Account.ApiId};
}

struct AccountCase {
  const char* Name;
  TRows Rows;  // GATEWAY, USERNAME, PASSWORD, RECIPIENT, ORIGINATOR, APIID
  int StartRow;
  std::string_view Provider;
  std::vector<std::string> Account;
  int RowAfter;
};
void PrintTo(const AccountCase& Case, std::ostream* Out) {
  *Out << Case.Name;
}

class LocateAccountTest : public ::testing::TestWithParam<AccountCase> {};

TEST_P(LocateAccountTest, GivesTheProvidersRowOrNothing) {
  const AccountCase& c = GetParam();
  auto gateways = MemoryTable(ConfigureGatewaysDS, c.Rows);
  gateways->SetRecNo(c.StartRow);
  EXPECT_EQ(Fields(LocateAccount(*gateways, c.Provider)), c.Account);
  EXPECT_EQ(gateways->RecNo(), c.RowAfter);
}

const TRows kBoth = {{"KAPOW", "kuser", "kpass", "", "", ""},
                     {"CLICKATELL", "cuser", "cpass", "", "", "3456"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, LocateAccountTest,
    ::testing::Values(
        AccountCase{
            "ClickatellFromAnotherRow", kBoth, 0, kClickatell, {"cuser", "cpass", "3456"}, 1},
        AccountCase{"KapowFromAnotherRow", kBoth, 1, kKapow, {"kuser", "kpass", ""}, 0},
        AccountCase{"FirstOfTwoRowsWithTheKey",
                    {{"KAPOW", "first", "", "", "", ""}, {"KAPOW", "second", "", "", "", ""}},
                    1,
                    kKapow,
                    {"first", "", ""},
                    0},
        // The current row is the other provider's: its account must not be handed out.
        AccountCase{"OnlyTheOtherProvidersRow",
                    {{"KAPOW", "kuser", "kpass", "", "", "99"}},
                    0,
                    kClickatell,
                    {"", "", ""},
                    0},
        AccountCase{"KeyInAnotherCase",
                    {{"clickatell", "cuser", "cpass", "", "", "3456"}},
                    0,
                    kClickatell,
                    {"", "", ""},
                    0},
        AccountCase{"EmptyTable", {}, 0, kKapow, {"", "", ""}, -1}),
    [](const ::testing::TestParamInfo<AccountCase>& Info) { return Info.param.Name; });

TEST(LocateAccount, ClosedTableGivesAnEmptyAccount) {
  TCsvDataSet gateways;
  ConfigureGatewaysDS(gateways);
  EXPECT_EQ(Fields(LocateAccount(gateways, kClickatell)), (std::vector<std::string>{"", "", ""}));
}

TEST(DefaultProviderName, IsTheCurrentRowsValueOrEmpty) {
  EXPECT_EQ(DefaultProviderName(*MemoryTable(ConfigureDefGway, {{"KAPOW"}})), "KAPOW");
  EXPECT_EQ(DefaultProviderName(*MemoryTable(ConfigureDefGway)), "");
  TCsvDataSet closed;
  ConfigureDefGway(closed);
  EXPECT_EQ(DefaultProviderName(closed), "");
}

}  // namespace
}  // namespace wrenly
