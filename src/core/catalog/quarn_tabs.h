#pragma once
// The tabs of the Quarn 2 page, in order (`TabbedNotebook1`).
namespace QuarnTabs {
enum Tab { JoysticksTab, GlobalTab, A1A4Tab, A5A8Tab, B1B4Tab, B5B8Tab, C1C4Tab, CustomTab, FloatsTab, RemoteSlaveTab, PanicTab, TabCount };
}  // namespace QuarnTabs
