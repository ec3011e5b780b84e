// SPDX-License-Identifier: GPL-3.0-or-later
// The chooser's applications from GIO, which already does what a hand-made scan of the
// desktop entries got wrong or left out: mimeinfo.cache and mimeapps.list (defaults, added
// and removed associations), OnlyShowIn/NotShowIn, TryExec, Hidden and NoDisplay, and
// translated names with country and modifier ("Name[de_DE@euro]") from $LANGUAGE on. The
// opener's check asks it too, so that the check and the chooser never disagree on an entry.
#include "desktop/desktop_applications.h"

#include "desktop/desktop_exec.h"
#include "text/ascii_case.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <thread>

namespace sifter {
namespace {

constexpr std::string_view kAnyBytesType = "application/octet-stream";

struct ListFree {
    void operator()(GList *list) const { g_list_free_full(list, g_object_unref); }
};
using AppList = std::unique_ptr<GList, ListFree>;

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppRef = std::unique_ptr<GAppInfo, ObjectUnref>;

std::string Text(const char *text)
{
    return text ? std::string(text) : std::string();
}

// A string of the entry's [Desktop Entry] group as written there (escapes undone).
std::string EntryString(GDesktopAppInfo *info, const char *key)
{
    gchar *value = g_desktop_app_info_get_string(info, key);
    std::string text = Text(value);
    g_free(value);
    return text;
}

std::vector<std::string> EntryList(GDesktopAppInfo *info, const char *key)
{
    gchar **values = g_desktop_app_info_get_string_list(info, key, nullptr);
    std::vector<std::string> items;
    for (gchar **value = values; value && *value; ++value)
        items.emplace_back(*value);
    g_strfreev(values);
    return items;
}

// False for an entry that is Hidden (deleted, in the standard's words): GIO's lists leave it
// out, but its default for a type can still be one.
bool IsInstalled(GAppInfo *app)
{
    return !G_IS_DESKTOP_APP_INFO(app) || !g_desktop_app_info_get_is_hidden(G_DESKTOP_APP_INFO(app));
}

// The entry as the chooser and the program start need it; empty for one the chooser does not
// show: not a desktop entry, not for this desktop, NoDisplay, Terminal (a terminal emulator has
// no standard way to be found), or an Exec our start would refuse.
std::optional<DesktopEntry> ShownEntry(GAppInfo *app)
{
    if (!IsInstalled(app) || !G_IS_DESKTOP_APP_INFO(app) || !g_app_info_should_show(app))
        return std::nullopt;
    GDesktopAppInfo *info = G_DESKTOP_APP_INFO(app);
    if (g_desktop_app_info_get_boolean(info, "Terminal"))
        return std::nullopt;
    DesktopEntry entry;
    entry.id = Text(g_app_info_get_id(app));
    entry.path = Text(g_desktop_app_info_get_filename(info));
    entry.name = Text(g_app_info_get_name(app));
    entry.exec = Text(g_app_info_get_commandline(app));
    if (entry.id.empty() || entry.name.empty() || !ParseDesktopExec(entry.exec))
        return std::nullopt;
    entry.icon = EntryString(info, "Icon");
    entry.tryExec = EntryString(info, "TryExec");
    entry.mimeTypes = EntryList(info, "MimeType");
    entry.onlyShowIn = EntryList(info, "OnlyShowIn");
    entry.notShowIn = EntryList(info, "NotShowIn");
    return entry;
}

void SortByName(std::vector<DesktopEntry>::iterator from, std::vector<DesktopEntry>::iterator to)
{
    std::stable_sort(from, to, [](const DesktopEntry &a, const DesktopEntry &b) {
        return AsciiLessFolded(a.name, b.name);
    });
}

bool DeclaresAny(const DesktopEntry &entry, const std::vector<std::string> &types)
{
    return std::any_of(entry.mimeTypes.begin(), entry.mimeTypes.end(), [&types](const std::string &type) {
        return std::find(types.begin(), types.end(), type) != types.end();
    });
}

// Appends the shown entries of list not yet in ids: to declared those that declare one of the
// types (or all of them when types is empty), to others the rest.
void AddShown(GList *list, const std::vector<std::string> *types, ChooserApplications &chooser,
              std::set<std::string> &ids)
{
    for (GList *item = list; item; item = item->next) {
        std::optional<DesktopEntry> entry = ShownEntry(static_cast<GAppInfo *>(item->data));
        if (!entry || !ids.insert(entry->id).second)
            continue;
        (!types || DeclaresAny(*entry, *types) ? chooser.declared : chooser.others).push_back(std::move(*entry));
    }
}

} // namespace

ChooserApplications ChooserApplicationsForTypes(const std::vector<std::string> &types)
{
    ChooserApplications chooser;
    std::set<std::string> ids;
    if (!types.empty()) {
        const AppRef preferred(g_app_info_get_default_for_type(types.front().c_str(), FALSE));
        if (preferred) {
            GList single{preferred.get(), nullptr, nullptr};
            AddShown(&single, nullptr, chooser, ids);
        }
    }
    const std::size_t sortedFrom = chooser.declared.size();
    // Each type on its own: our types come from Qt's MIME database, whose aliases and
    // ancestors GIO's own database may not list.
    for (const std::string &type : types) {
        const AppList recommended(g_app_info_get_recommended_for_type(type.c_str()));
        AddShown(recommended.get(), nullptr, chooser, ids);
    }
    // GIO maps types to entries through mimeinfo.cache, which a folder of entries written by
    // hand (~/.local/share/applications often) lacks: their own MimeType still counts.
    const AppList all(g_app_info_get_all());
    AddShown(all.get(), &types, chooser, ids);
    SortByName(chooser.declared.begin() + static_cast<std::ptrdiff_t>(sortedFrom), chooser.declared.end());
    SortByName(chooser.others.begin(), chooser.others.end());
    return chooser;
}

bool HasApplicationForTypes(const std::vector<std::string> &types)
{
    std::vector<std::string> counted;
    for (const std::string &type : types) {
        // Every type derives from it: a program taking any bytes is no default for a file of a
        // type of its own, only for a file the database knows nothing better of.
        if (type == kAnyBytesType && &type != &types.front())
            continue;
        // What GIO's opener would start: its default, else any application of the type, NoDisplay
        // entries (a command kept by "Always use") included.
        const AppRef preferred(g_app_info_get_default_for_type(type.c_str(), FALSE));
        if (preferred && IsInstalled(preferred.get()))
            return true;
        const AppList all(g_app_info_get_all_for_type(type.c_str()));
        for (GList *item = all.get(); item; item = item->next) {
            if (IsInstalled(static_cast<GAppInfo *>(item->data)))
                return true;
        }
        counted.push_back(type);
    }
    // Entries declaring a type in a folder without mimeinfo.cache have no default in GIO, yet
    // the chooser offers them as the type's own, and so the check counts them.
    return !counted.empty() && !ChooserApplicationsForTypes(counted).declared.empty();
}

bool AwaitDefaultApplication(const std::string &type, const std::string &id, int timeoutMs)
{
    constexpr auto kPoll = std::chrono::milliseconds(5);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const AppRef preferred(g_app_info_get_default_for_type(type.c_str(), FALSE));
        if (preferred && id == Text(g_app_info_get_id(preferred.get())))
            return true;
        if (std::chrono::steady_clock::now() >= giveUp)
            return false;
        std::this_thread::sleep_for(kPoll);
    }
}

} // namespace sifter
