#pragma once
// Screens whose controls show settings register here; the options screen runs them, in
// registration order, right after config.ini is loaded.
#include "config/SettingsStore.h"

#include <functional>
#include <vector>

class SettingsAppliers {
public:
    using Applier = std::function<void(const SettingsStore&)>;

    void add(Applier applier) { m_appliers.push_back(std::move(applier)); }
    void applyAll(const SettingsStore& settings) const
    {
        for (const Applier& apply : m_appliers)
            apply(settings);
    }

private:
    std::vector<Applier> m_appliers;
};
