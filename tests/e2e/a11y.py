"""What a screen reader sees of Kelvo, over AT-SPI on the session bus in DBUS_SESSION_BUS_ADDRESS:
dump (one line per accessible of the application named "Kelvo", tab-separated: depth, role, name, states of
interest, actions, relations as RELATION>target joined by ';', value as current/minimum/maximum, screen extents
as x,y,w,h) | do NAME ACTION (that action of the first accessible named NAME that has it) | focused (the name
of the accessible with the focused state) | peak NAME TOP SECONDS (polls the value of the first accessible
named NAME until it reaches TOP; prints the highest value seen and the maxima it had). Fails when the
application or the accessible is not there (yet)."""
import sys
import time
import pyatspi

STATES = {pyatspi.STATE_FOCUSABLE: 'focusable', pyatspi.STATE_FOCUSED: 'focused', pyatspi.STATE_CHECKED: 'checked',
          pyatspi.STATE_READ_ONLY: 'read-only'}


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == 'Kelvo' and a.childCount > 0:
            return a
    sys.exit('no application "Kelvo" with a window')


def walk(node, depth=0):
    yield depth, node
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def text(s):  # one line per accessible, whatever the caption's line breaks
    return s.replace('\r', '\\r').replace('\n', '\\n').replace('\t', '\\t')


def actions(node):
    try:
        a = node.queryAction()
    except NotImplementedError:
        return {}
    return {a.getName(i): (a, i) for i in range(a.nActions)}


def value(node):
    try:
        v = node.queryValue()
    except NotImplementedError:
        return ''
    return '%g/%g/%g' % (v.currentValue, v.minimumValue, v.maximumValue)


def line(depth, node):
    state = node.getState()
    relations = ['%s>%s' % (r.getRelationType().value_nick.upper().replace('-', '_'), text(r.getTarget(i).name))
                 for r in node.getRelationSet() for i in range(r.getNTargets())]
    try:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        extents = '%d,%d,%d,%d' % (box.x, box.y, box.width, box.height)
    except NotImplementedError:
        extents = ''
    return '\t'.join([str(depth), node.getRoleName(), text(node.name),
                      ','.join(sorted(n for s, n in STATES.items() if state.contains(s))),
                      ','.join(actions(node)), ';'.join(relations), value(node), extents])


def named(name):
    found = [n for _, n in walk(app()) if n.name == name]
    if not found:
        sys.exit('no accessible named %r' % name)
    return found


cmd, args = sys.argv[1], sys.argv[2:]
if cmd == 'dump':
    print('\n'.join(line(d, n) for d, n in walk(app())))
elif cmd == 'do':
    doers = [actions(n)[args[1]] for n in named(args[0]) if args[1] in actions(n)]
    if not doers:
        sys.exit('no accessible named %r has the action %r' % tuple(args))
    a, i = doers[0]
    sys.exit(0 if a.doAction(i) else 'the action %r was refused' % args[1])
elif cmd == 'focused':
    focused = [n.name for _, n in walk(app()) if n.getState().contains(pyatspi.STATE_FOCUSED) and n.getRole() !=
               pyatspi.ROLE_FRAME]
    if not focused:
        sys.exit('nothing has the focus')
    print(text(focused[-1]))
elif cmd == 'peak':
    v, top, end = named(args[0])[0].queryValue(), float(args[1]), time.time() + float(args[2])
    best, tops = None, set()
    while time.time() < end and (best is None or best < top):
        try:  # a pass keeps the program busy: a call that times out is only a missed sample
            now, tops = v.currentValue, tops | {v.maximumValue}
            best = now if best is None else max(best, now)
        except Exception:
            pass
        time.sleep(0.02)
    print('none' if best is None else '%g' % best, 'of', ','.join('%g' % t for t in sorted(tops)))
    sys.exit(best is None or best < top)
else:
    sys.exit('unknown command ' + cmd)
