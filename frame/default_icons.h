#pragma once
// A token for the shared default icon list; the list itself comes from GetDefaultIcons.

struct DefaultIcons {
    DefaultIcons() = default;
    DefaultIcons(const DefaultIcons&) = default;
    DefaultIcons& operator=(const DefaultIcons&) = default;
};
