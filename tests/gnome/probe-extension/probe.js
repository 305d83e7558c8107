// What the tests need to know of the shell and cannot ask it otherwise:
// where a window or Tapfill's indicator is, the clipboard's text, and the
// overview out of the way; for the benchmark, the floor of the route a
// paste takes. A plain script, loaded by both entry points.
/* exported Probe */

const {Clutter, Gio, GLib, St} = imports.gi;

const Xml = `<node><interface name="io.github.tapfill.TestProbe">
  <method name="HideOverview"><arg type="b" direction="out" name="hidden"/></method>
  <method name="WindowRect"><arg type="s" name="title"/><arg type="ai" direction="out" name="rect"/></method>
  <method name="IsAbove"><arg type="s" name="title"/><arg type="b" direction="out" name="above"/></method>
  <method name="Pointer"><arg type="ai" direction="out" name="place"/></method>
  <method name="IndicatorRect"><arg type="ai" direction="out" name="rect"/></method>
  <method name="IndicatorTip"><arg type="s" direction="out" name="tip"/></method>
  <method name="MenuItems"><arg type="as" direction="out" name="items"/></method>
  <method name="ClipboardText"><arg type="s" direction="out" name="text"/></method>
  <method name="SetClipboardText"><arg type="s" name="text"/></method>
  <method name="PasteOnNextRelease"><arg type="s" name="text"/></method>
</interface></node>`;

function rectOf(actor) {
    if (!actor || !actor.visible)
        return [];
    const [x, y] = actor.get_transformed_position();
    const [w, h] = actor.get_transformed_size();
    return [Math.round(x), Math.round(y), Math.round(w), Math.round(h)];
}

var Probe = class {
    constructor(Main) {
        this._main = Main;
    }

    enable() {
        this._dbus = Gio.DBusExportedObject.wrapJSObject(Xml, this);
        this._dbus.export(Gio.DBus.session, '/io/github/tapfill/TestProbe');
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, 'io.github.tapfill.TestProbe',
            Gio.BusNameOwnerFlags.NONE, null, null);
    }

    disable() {
        Gio.bus_unown_name(this._name);
        this._dbus.unexport();
    }

    /// Whether the overview is out of the way. The shell shows it at the
    /// end of its start-up, so hiding it before then does not last.
    HideOverview() {
        if (this._main.layoutManager._startingUp)
            return false;
        this._main.overview.hide();
        return !this._main.overview.visible;
    }

    _window(title) {
        return global.get_window_actors().map(a => a.get_meta_window()).find(w => w.get_title() === title);
    }

    WindowRect(title) {
        const rect = this._window(title)?.get_frame_rect();
        return rect ? [rect.x, rect.y, rect.width, rect.height] : [];
    }

    IsAbove(title) {
        return this._window(title)?.is_above() ?? false;
    }

    Pointer() {
        return global.get_pointer().slice(0, 2);
    }

    IndicatorRect() {
        return rectOf(this._main.panel.statusArea['tapfill']);
    }

    IndicatorTip() {
        const labels = this._main.uiGroup.get_children().filter(a => a instanceof St.Label && a.visible);
        return labels.length ? labels[labels.length - 1].text : '';
    }

    MenuItems() {
        const indicator = this._main.panel.statusArea['tapfill'];
        if (!indicator)
            return [];
        return indicator.menu._getMenuItems().map(item =>
            `${item.label?.text ?? '-'}${item._ornament === 2 ? ' [x]' : ''}${indicator.menu.isOpen ? '' : ' (closed)'}`);
    }

    ClipboardTextAsync(_params, invocation) {
        St.Clipboard.get_default().get_text(St.ClipboardType.CLIPBOARD, (_c, text) =>
            invocation.return_value(new GLib.Variant('(s)', [text ?? ''])));
    }

    SetClipboardText(text) {
        St.Clipboard.get_default().set_text(St.ClipboardType.CLIPBOARD, text);
    }

    /// The least a paste on a click can take on this route: the release
    /// found as Tapfill's extension finds it (a 10 ms poll), then the text
    /// put on the clipboard and Ctrl+V typed at once, with no program
    /// asked and no delay. Given up after 5 s without a release.
    PasteOnNextRelease(text) {
        const held = () => (global.get_pointer()[2] & Clutter.ModifierType.BUTTON1_MASK) !== 0;
        const seat = (global.stage.context?.get_backend?.() ?? Clutter.get_default_backend()).get_default_seat();
        this._keyboard ??= seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
        let wasHeld = held(), polls = 500;
        GLib.timeout_add(GLib.PRIORITY_HIGH, 10, () => {
            const isHeld = held();
            if (!wasHeld || isHeld) {
                wasHeld = isHeld;
                return --polls > 0 ? GLib.SOURCE_CONTINUE : GLib.SOURCE_REMOVE;
            }
            this.SetClipboardText(text);
            const {PRESSED, RELEASED} = Clutter.KeyState;
            for (const [keyval, state] of [[Clutter.KEY_Control_L, PRESSED], [Clutter.KEY_v, PRESSED],
                [Clutter.KEY_v, RELEASED], [Clutter.KEY_Control_L, RELEASED]])
                this._keyboard.notify_keyval(GLib.get_monotonic_time(), keyval, state);
            return GLib.SOURCE_REMOVE;
        });
    }
};
