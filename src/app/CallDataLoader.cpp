#include "app/CallDataLoader.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace keslog {

template <typename Data>
void CallDataLoader::start(const CallDataRequest& request,
                           LoadedCallData<Data> (*load)(const std::string& path)) {
    // The watcher belongs to this object: a read still running when the
    // window goes is dropped, and the pool finishes it on its own.
    auto* watcher = new QFutureWatcher<LoadedCallData<Data>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, request] {
        const auto notice = sync_.take(state_, request, watcher->result());
        watcher->deleteLater();
        if (notice) messageBox_.show(*notice);
    });
    watcher->setFuture(QtConcurrent::run(load, request.path));
}

void CallDataLoader::refresh() {
    for (const CallDataRequest& request : sync_.due(state_)) {
        if (request.kind == CallDataKind::Scp)
            start<ScpDatabase>(request, loadScpDatabase);
        else
            start<CallHistory>(request, loadCallHistory);
    }
}

}  // namespace keslog
