#pragma once

namespace qel::app {

// Whether this copy of the module is the only one running.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when no other instance runs; from then on this process counts as the running one.
    virtual bool acquire() = 0;
};

} // namespace qel::app
