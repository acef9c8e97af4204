// qorvana-demo: writes a complete demo company for trying the module, for the end-to-end
// tests and for the benchmarks.

#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "tools/demo/demo_company.h"
#include "tools/demo/demo_files.h"

int main(int argc, char** argv) {
    using namespace qorvana::demo;
    const auto parsed = ParseDemoOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        std::cerr << "qorvana-demo: " << *message << "\n" << kDemoUsage;
        return 2;
    }
    const auto& options = std::get<DemoOptions>(parsed);
    try {
        std::cout << SummaryText(WriteDemoCompany(options), options);
    } catch (const std::exception& error) {
        std::cerr << "qorvana-demo: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
