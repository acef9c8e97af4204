#pragma once
// The demo company's customers, their name index, the sales agents and the chart of
// accounts the customers' account codes name.

#include <vector>

#include "customers/agent_record.h"
#include "customers/customer_record.h"
#include "customers/name_index_record.h"
#include "journal/account_record.h"
#include "tools/demo/demo_random.h"

namespace qorvana::demo {

// The fixed customers (demo_fixtures.h), then generated ones up to `count` in all.
std::vector<CustomerRecord> MakeCustomers(int count, DemoRandom& random);
// One entry per customer, keyed by the upper-cased shown name, in ascending key order.
std::vector<NameIndexRecord> MakeNameIndex(const std::vector<CustomerRecord>& customers);
// Agents with codes 0001..0003 (customer agent code 9 matches none).
std::vector<AgentRecord> MakeAgents();
// The chart of accounts: every account a customer or the settings name.
std::vector<AccountRecord> MakeAccounts(const std::vector<CustomerRecord>& customers);

// The text a name index entry holds for the customer: the shown name (a deleted customer's
// marker removed), upper-cased.
std::string NameIndexKey(const CustomerRecord& customer);

}  // namespace qorvana::demo
