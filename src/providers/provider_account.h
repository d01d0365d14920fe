#pragma once

#include <string>
#include <string_view>

#include "table/dataset.h"

// What Send needs of the two provider tables: the default provider's key, and the account kept
// for a provider.
namespace wrenly {

// The provider keys. They are compared exactly wherever they are used: letter case counts and
// nothing is trimmed.
inline constexpr std::string_view kClickatell = "CLICKATELL";
inline constexpr std::string_view kKapow = "KAPOW";

// GATEWATY of the default-provider table's current row; empty when the table is closed or has
// no rows.
std::string DefaultProviderName(const TDataSet& DefGway);

struct TProviderAccount {
  std::string UserName;
  std::string Password;
  std::string ApiId;
};

// Positions the account table on the first row whose GATEWAY is exactly Provider and returns that
// row's account. When no row carries the key the cursor stays where it was and the account is
// empty, as for a table without rows: the current row then belongs to the other provider, and
// its password must not go to this provider's host.
TProviderAccount LocateAccount(TDataSet& GatewaysDS, std::string_view Provider);

}  // namespace wrenly
