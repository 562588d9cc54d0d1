// The Qt action that shows a command of a tool-bar row, found anywhere in the row's drop-downs by the
// command id the row tags it with.
#pragma once

#include <QAction>
#include <QList>
#include <QMenu>
#include <QVariant>

#include "com/Types.h"

inline QAction* findCommandAction(const QList<QAction*>& actions, com::SHORT id) {
    for (QAction* action : actions) {
        const QVariant tagged = action->property("ostbarCommandId");
        if (tagged.isValid() && tagged.toInt() == id)
            return action;
        if (action->menu() != nullptr)
            if (QAction* inner = findCommandAction(action->menu()->actions(), id))
                return inner;
    }
    return nullptr;
}
