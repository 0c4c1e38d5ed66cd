#pragma once

#include "app/PresentationModel.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <memory>
#include <typeindex>

namespace qel::app {
struct ProcessState;
class Prompter;
} // namespace qel::app

namespace qel::app::ui {

class FormLauncher;

// The view of each presentation model class: the thin Qt window that binds its widgets to the
// model it is handed. The form launcher opens a registered window name by building its model
// (WindowRegistry) and showing it in the view of the model's class.
class WindowViews {
public:
    using ViewFactory = std::function<std::unique_ptr<QDialog>(std::unique_ptr<PresentationModel>)>;

    // Every view of the module.
    static const WindowViews& module();

    // View is built from a std::unique_ptr<Model>.
    template <class Model, class View> void add() {
        m_views.insert(std::type_index(typeid(Model)), [](std::unique_ptr<PresentationModel> model) {
            return std::unique_ptr<QDialog>(
                std::make_unique<View>(std::unique_ptr<Model>(static_cast<Model*>(model.release()))));
        });
    }
    // A view made otherwise: a window shown beside the others, which the factory shows itself
    // and answers null for.
    template <class Model> void add(ViewFactory factory) {
        m_views.insert(std::type_index(typeid(Model)), std::move(factory));
    }
    bool hasView(const PresentationModel& model) const { return m_views.contains(std::type_index(typeid(model))); }
    // The view over the model; null when its class has none.
    std::unique_ptr<QDialog> create(std::unique_ptr<PresentationModel> model) const;

private:
    QHash<std::type_index, ViewFactory> m_views;
};

// Adds the view of every presentation model class; one line per view.
void registerWindowViews(WindowViews& views);

// Registers in the form launcher every window of the window registry, each opening its model
// in its view with the services of the process state.
void registerModelWindows(FormLauncher& forms, ProcessState& state, Prompter& prompter);

} // namespace qel::app::ui
