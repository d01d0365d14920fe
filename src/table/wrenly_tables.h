#pragma once

#include "table/csv_dataset.h"

// The three tables the main window owns, configured as the program uses them. Each function
// sets up a table that was just created (closed, without fields): its name, file, columns and
// fields. The handlers of the contacts table are set by their owner.
namespace wrenly {

// ContactsDS, "contacts.csv": the address book. Its header line is not examined; the stored
// fields FIRSTNAME to MOBILE3 are followed by the calculated CalcFullName.
void ConfigureContactsDS(TCsvDataSet& Table);

// GatewaysDS, "gateways.csv": one account per provider, found by GATEWAY.
void ConfigureGatewaysDS(TCsvDataSet& Table);

// DefGway, "defgway.csv": the default provider in its one field GATEWATY.
void ConfigureDefGway(TCsvDataSet& Table);

}  // namespace wrenly
