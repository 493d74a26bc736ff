"""The D-Bus side of the desktop scenarios, on the session bus in DBUS_SESSION_BUS_ADDRESS:
pids (every process on the bus but the bus itself) | host-ready (a StatusNotifierItem host is registered) |
item PID ("SERVICE PATH" of the registered item of process PID) | props SERVICE PATH ("Name=value" lines) |
menu SERVICE PATH ("ID LABEL" per top-level entry, separators "ID -") | event SERVICE PATH ID (a click on an
entry) | activate SERVICE PATH (a left click) | notifications FILE (owns org.freedesktop.Notifications and
adds "summary<TAB>body" to FILE for each Notify call; FILE exists once the name is owned)."""
import sys
import dbus
import dbus.service

if sys.argv[1:2] == ['notifications']:  # a service answers calls: it needs a main loop
    from dbus.mainloop.glib import DBusGMainLoop
    DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
DBUS = dbus.Interface(bus.get_object('org.freedesktop.DBus', '/org/freedesktop/DBus'), 'org.freedesktop.DBus')
SNI, MENU, PROPS, NOTES = 'org.kde.StatusNotifierItem', 'com.canonical.dbusmenu', dbus.PROPERTIES_IFACE, \
    'org.freedesktop.Notifications'


def watcher(prop):
    return bus.get_object('org.kde.StatusNotifierWatcher', '/StatusNotifierWatcher').Get(
        'org.kde.StatusNotifierWatcher', prop, dbus_interface=PROPS)


def menu_of(service, path):
    menu = bus.get_object(service, bus.get_object(service, path).Get(SNI, 'Menu', dbus_interface=PROPS))
    return dbus.Interface(menu, MENU)


class Notifications(dbus.service.Object):
    def __init__(self, record):
        super().__init__(bus, '/org/freedesktop/Notifications')
        self.record, self.count = record, 0

    @dbus.service.method(NOTES, in_signature='susssasa{sv}i', out_signature='u')
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        with open(self.record, 'a') as f:
            f.write('%s\t%s\n' % (summary, body.replace('\n', ' ')))
        self.count += 1
        return self.count

    @dbus.service.method(NOTES, out_signature='as')
    def GetCapabilities(self):
        return ['body']

    @dbus.service.method(NOTES, out_signature='ssss')
    def GetServerInformation(self):
        return ['e2e-recorder', 'kelvo-tests', '1.0', '1.2']


def main(cmd, *args):
    if cmd == 'pids':
        me = DBUS.GetConnectionUnixProcessID(bus.get_unique_name())
        found = {int(DBUS.GetConnectionUnixProcessID(n)) for n in DBUS.ListNames() if n.startswith(':')}
        print('\n'.join(str(p) for p in sorted(found - {me})))
    elif cmd == 'host-ready':
        return 0 if watcher('IsStatusNotifierHostRegistered') else 1
    elif cmd == 'item':
        for entry in watcher('RegisteredStatusNotifierItems'):
            service, _, path = str(entry).partition('/')
            if DBUS.GetConnectionUnixProcessID(service) == int(args[0]):
                return print(service, '/' + (path or 'StatusNotifierItem'))
        return 1
    elif cmd == 'props':
        for name, value in bus.get_object(*args).GetAll(SNI, dbus_interface=PROPS).items():
            print('%s=%s' % (name, ' '.join('%dx%d' % (w, h) for w, h, _ in value) if name == 'IconPixmap' else value))
    elif cmd == 'menu':
        menu = menu_of(*args)
        menu.AboutToShow(0)
        for ident, props, _ in menu.GetLayout(0, -1, [])[1][2]:
            print(ident, '-' if props.get('type') == 'separator' else props.get('label', ''))
    elif cmd == 'event':
        menu_of(*args[:2]).Event(int(args[2]), 'clicked', dbus.Int32(0, variant_level=1), dbus.UInt32(0))
    elif cmd == 'activate':
        bus.get_object(*args).Activate(0, 0, dbus_interface=SNI)
    elif cmd == 'notifications':
        Notifications(args[0])
        name = dbus.service.BusName(NOTES, bus)  # noqa: F841 (owned while it lives)
        open(args[0], 'a').close()
        from gi.repository import GLib
        GLib.MainLoop().run()


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
