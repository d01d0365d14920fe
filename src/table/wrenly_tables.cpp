#include "table/wrenly_tables.h"

#include <string_view>

namespace wrenly {

namespace {

void Configure(TCsvDataSet& Table, std::string_view Name, std::string_view FileName,
               std::string_view FieldDef) {
  Table.Name = Name;
  Table.FileName = FileName;
  Table.CsvFieldDef = FieldDef;
  std::string_view names = FieldDef;
  for (;;) {
    const std::size_t end = names.find(',');
    Table.AddField(names.substr(0, end));
    if (end == std::string_view::npos) {
      break;
    }
    names.remove_prefix(end + 1);
  }
}

}  // namespace

void ConfigureContactsDS(TCsvDataSet& Table) {
  Configure(Table, "ContactsDS", "contacts.csv",
            "FIRSTNAME,MIDDLENAME,LASTNAME,FULLNAME,MOBILE1,MOBILE2,MOBILE3");
  Table.AddField("CalcFullName", fkCalculated);
  Table.ValidateHeaderRow = false;
  Table.CaseInsensitive = true;
}

void ConfigureGatewaysDS(TCsvDataSet& Table) {
  Configure(Table, "GatewaysDS", "gateways.csv",
            "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID");
}

void ConfigureDefGway(TCsvDataSet& Table) {
  Configure(Table, "DefGway", "defgway.csv", "GATEWATY");
}

}  // namespace wrenly
