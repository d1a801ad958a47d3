#pragma once

#include <QString>

#include <functional>

class ComponentList;
class Dialogs;
class HandlerGuard;
class ImageList;
class ProgressBarLender;
class ProjectSession;
class ProjectStore;

// What the main window gives every page of pcMain when it makes it.
struct PageContext {
    // The user-visible text of a message table entry, before any "%s" is filled in.
    using MessageText = std::function<QString(int index)>;

    ProjectSession& session;
    ProjectStore& store;
    Dialogs& dialogs;
    const HandlerGuard& guard;
    MessageText messages;
    ImageList& ilMain;
    ImageList& ilFlags16;
    // The window's components: a page adds itself and then its controls, in design order.
    ComponentList& components;
    // pgLoad, for the pages that show the progress of long work.
    ProgressBarLender& progress;
};
