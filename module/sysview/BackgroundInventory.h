#pragma once
// The inventory counted on a worker thread with a connection of the data source of its own, so
// a viewer stays responsive while the tables are counted: each row is handed on as soon as its
// table is counted, and the load can be stopped at any time, the running statement included.
#include "SystemInventory.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CBackgroundInventory {
public:
    // Starts counting tables on the data source uri. onRow is called on the worker thread for
    // each row, finished once when the load has ended (done, stopped or the database could not
    // be opened); both have returned before Wait does.
    CBackgroundInventory(const std::string& uri, std::vector<CInventoryTable> tables,
                         std::function<void(const CInventoryRow&)> onRow,
                         std::function<void(const CInventoryOutcome&)> finished = {});
    // Stops the load and waits until its thread is gone.
    ~CBackgroundInventory();
    CBackgroundInventory(const CBackgroundInventory&) = delete;
    CBackgroundInventory& operator=(const CBackgroundInventory&) = delete;

    // From any thread: no further table is counted and the running statement is interrupted.
    void Cancel();
    // Waits until the load has ended; then how it went.
    const CInventoryOutcome& Wait();

private:
    void Run(const std::string& uri, std::stop_token stop);
    // Joins the worker; while a stop is asked for, asks the database again until the load ends.
    void Finish();

    std::vector<CInventoryTable> m_tables;
    std::function<void(const CInventoryRow&)> m_onRow;
    std::function<void(const CInventoryOutcome&)> m_finished;
    std::shared_ptr<kes::StatementControl> m_control;
    CInventoryOutcome m_outcome; // written by the worker, read after it has been joined
    std::mutex m_mutex;
    std::condition_variable m_doneChanged;
    bool m_done = false;   // guarded by m_mutex
    std::jthread m_worker; // last: started once everything above is in place
};
