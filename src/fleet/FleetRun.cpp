#include "fleet/FleetRun.h"

#include <exception>
#include <mutex>
#include <thread>

namespace rp770::fleet {

std::vector<RadioReport> RunFleet(const std::vector<RosterEntry>& radios, const RadioWork& work,
                                  const std::function<void(const RadioReport&)>& finished) {
    std::vector<RadioReport> reports(radios.size());
    std::mutex reporting;
    std::vector<std::thread> threads;
    threads.reserve(radios.size());
    for (size_t i = 0; i < radios.size(); ++i) {
        threads.emplace_back([&, i] {
            RadioReport report;
            try {
                report = work(radios[i]);
            } catch (const std::exception& e) {
                report.radio = radios[i];
                report.reason = e.what();
            }
            const std::lock_guard<std::mutex> lock(reporting);
            reports[i] = report;
            if (finished) finished(reports[i]);
        });
    }
    for (std::thread& t : threads) t.join();
    return reports;
}

}  // namespace rp770::fleet
