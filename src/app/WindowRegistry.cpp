#include "app/WindowRegistry.h"

namespace qel::app {

namespace {

QString keyOf(const QString& name) {
    return name.trimmed().toLower();
}

} // namespace

void WindowRegistry::add(const QString& name, ModelFactory factory) {
    if (!m_factories.contains(keyOf(name))) {
        m_names.append(name);
    }
    m_factories.insert(keyOf(name), std::move(factory));
}

bool WindowRegistry::contains(const QString& name) const {
    return m_factories.contains(keyOf(name));
}

std::unique_ptr<PresentationModel> WindowRegistry::create(const QString& name, const WindowServices& services,
                                                          const FormRequest& request) const {
    const auto factory = m_factories.constFind(keyOf(name));
    return factory == m_factories.constEnd() ? nullptr : (*factory)(services, request);
}

} // namespace qel::app
