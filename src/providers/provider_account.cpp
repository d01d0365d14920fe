#include "providers/provider_account.h"

namespace wrenly {

std::string DefaultProviderName(const TDataSet& DefGway) {
  return DefGway.FieldByName("GATEWATY").AsString();
}

TProviderAccount LocateAccount(TDataSet& GatewaysDS, std::string_view Provider) {
  if (!GatewaysDS.Locate("GATEWAY", Provider)) {
    return {};
  }
  return {GatewaysDS.FieldByName("USERNAME").AsString(),
          GatewaysDS.FieldByName("PASSWORD").AsString(),
          GatewaysDS.FieldByName("APIID").AsString()};
}

}  // namespace wrenly
