// Tapfill's platform inside GNOME Shell: what a Wayland client cannot do
// for itself. It serves one D-Bus interface on the session bus to one
// caller, Tapfill, and does nothing for anyone else. It keeps no data.
//
// A plain script, so that both the GNOME 43 entry point (a script) and the
// GNOME 45+ one (an ES module) can load it; the shell's own modules come in
// through `shell`, since the two reach them differently.
/* exported ShellService */

const {Clutter, Gio, GLib, GObject, Meta, Shell, St} = imports.gi;

const BusName = 'io.github.tapfill.Shell';
const ObjectPath = '/io/github/tapfill/Shell';
const InterfaceName = 'io.github.tapfill.Shell1';
const InterfaceXml = `<node><interface name="${InterfaceName}">
  <method name="Register"><arg type="u" direction="out" name="version"/></method>
  <method name="SetLeftReleaseReports"><arg type="b" name="on"/></method>
  <method name="SetPasteMode"><arg type="b" name="on"/></method>
  <method name="SetPasteModeKey"><arg type="s" name="accelerator"/><arg type="u" name="keyval"/>
    <arg type="b" direction="out" name="ok"/></method>
  <method name="SendKeys"><arg type="a(ub)" name="keys"/><arg type="s" direction="out" name="refusal"/></method>
  <method name="SetClipboardText"><arg type="s" name="text"/><arg type="b" direction="out" name="ok"/></method>
  <method name="ClearClipboard"><arg type="b" direction="out" name="ok"/></method>
  <method name="KeepClipboard"><arg type="b" direction="out" name="kept"/></method>
  <method name="GiveClipboardBack"/>
  <method name="FocusedProgram"><arg type="s" direction="out" name="appId"/>
    <arg type="s" direction="out" name="wmClass"/><arg type="s" direction="out" name="instance"/>
    <arg type="x" direction="out" name="pid"/></method>
  <method name="KeepWindowAbove"><arg type="s" name="title"/><arg type="b" direction="out" name="found"/></method>
  <method name="MoveWindow"><arg type="s" name="title"/><arg type="i" name="x"/><arg type="i" name="y"/>
    <arg type="b" direction="out" name="found"/></method>
  <method name="WindowPosition"><arg type="s" name="title"/><arg type="b" direction="out" name="found"/>
    <arg type="i" direction="out" name="x"/><arg type="i" direction="out" name="y"/></method>
  <method name="ShowIndicator"><arg type="ay" name="png"/><arg type="s" name="tip"/></method>
  <method name="RemoveIndicator"/>
  <method name="SetIndicatorMenu"><arg type="a(sbbb)" name="items"/></method>
  <method name="ShowMessage"><arg type="s" name="title"/><arg type="s" name="text"/></method>
  <signal name="LeftButtonReleased"><arg type="b" name="ownWindow"/></signal>
  <signal name="RightButton"><arg type="b" name="pressed"/></signal>
  <signal name="PasteModeKey"/>
  <signal name="IndicatorDoubleClicked"/>
  <signal name="IndicatorMenuOpening"/>
  <signal name="IndicatorMenuItemActivated"><arg type="i" name="index"/></signal>
</interface></node>`;
const InterfaceVersion = 1;

/// The program allowed to call: its executable's file name.
const CallerExecutable = 'tapfill';

const PollMs = 10;
/// Between the steps of a click played again.
const ReplayStepMs = 15;
/// A key is rarely held longer than this.
const KeyReplayMs = 250;
/// The user's clipboard is read within this time, or not kept at all.
const KeepClipboardMs = 200;
const KeepClipboardMaxBytes = 64 * 1024 * 1024;
const TextMimeType = 'text/plain;charset=utf-8';
/// The format of the user's content that is given back, in this order of
/// choice; else a picture, else whatever comes first.
const GivenBackFormats = [TextMimeType, 'text/plain', 'UTF8_STRING', 'STRING', 'text/uri-list'];

function now() {
    return GLib.get_monotonic_time();
}

function defaultSeat() {
    const backend = global.stage.context?.get_backend?.() ?? Clutter.get_default_backend();
    return backend.get_default_seat();
}

function bytesOf(text) {
    return new GLib.Bytes(new TextEncoder().encode(text));
}

var ShellService = class {
    constructor(shell) {
        this._shell = shell;
        this._client = null; // {name, pid}
    }

    enable() {
        this._dbus = Gio.DBusExportedObject.wrapJSObject(InterfaceXml, this);
        this._dbus.export(Gio.DBus.session, ObjectPath);
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session, BusName,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._selection = global.display.get_selection();
        this._ownerChangedId = this._selection.connect('owner-changed', (_s, type, source) => {
            if (type === Meta.SelectionType.SELECTION_CLIPBOARD && source !== this._ownSource)
                this._ownSource = null;
        });
    }

    disable() {
        this._forgetClient();
        this._selection.disconnect(this._ownerChangedId);
        Gio.bus_unown_name(this._nameId);
        this._dbus.unexport();
        this._dbus = null;
    }

    // ---- the one caller -----------------------------------------------------

    /// Everything a client switched on is switched off again: when Tapfill
    /// ends or another copy takes over, nothing of it stays behind.
    _forgetClient() {
        if (this._watchId)
            Gio.bus_unwatch_name(this._watchId);
        this._watchId = 0;
        this._setLeftReleaseReports(false);
        this._setPasteMode(false);
        this._setPasteModeKey('', 0);
        this._removeIndicator();
        this._giveClipboardBack();
        this._keyboard = this._pointer = null;
        this._client = null;
    }

    RegisterAsync(_params, invocation) {
        const sender = invocation.get_sender();
        Gio.DBus.session.call('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
            'GetConnectionUnixProcessID', new GLib.Variant('(s)', [sender]), new GLib.VariantType('(u)'),
            Gio.DBusCallFlags.NONE, -1, null, (connection, result) => {
                let pid = 0;
                try {
                    [pid] = connection.call_finish(result).deepUnpack();
                } catch (e) {
                    logError(e, 'Tapfill: cannot tell who calls');
                }
                if (!pid || !isTapfill(pid)) {
                    invocation.return_dbus_error('org.freedesktop.DBus.Error.AccessDenied',
                        'Only Tapfill may use this interface');
                    return;
                }
                this._forgetClient();
                this._client = {name: sender, pid};
                this._watchId = Gio.bus_watch_name_on_connection(Gio.DBus.session, sender,
                    Gio.BusNameWatcherFlags.NONE, null, () => this._forgetClient());
                invocation.return_value(new GLib.Variant('(u)', [InterfaceVersion]));
            });
    }

    /// Runs `body` for calls from the registered client only.
    _fromClient(invocation, body) {
        if (!this._client || invocation.get_sender() !== this._client.name) {
            invocation.return_dbus_error('org.freedesktop.DBus.Error.AccessDenied',
                'Call Register first; only Tapfill may use this interface');
            return;
        }
        try {
            const result = body();
            if (result instanceof GLib.Variant)
                invocation.return_value(result);
            else if (result !== undefined)
                result.then(value => invocation.return_value(value),
                    e => invocation.return_dbus_error('org.freedesktop.DBus.Error.Failed', String(e)));
            else
                invocation.return_value(null);
        } catch (e) {
            logError(e, 'Tapfill');
            invocation.return_dbus_error('org.freedesktop.DBus.Error.Failed', String(e));
        }
    }

    _emit(name, signature = null, values = []) {
        if (!this._client)
            return;
        Gio.DBus.session.emit_signal(this._client.name, ObjectPath, InterfaceName, name,
            signature ? new GLib.Variant(signature, values) : null);
    }

    // ---- left button releases -------------------------------------------------

    SetLeftReleaseReportsAsync([on], invocation) {
        this._fromClient(invocation, () => this._setLeftReleaseReports(on));
    }

    /// A poll of the pointer's buttons: the shell never hears of a click
    /// inside a client's window, and a poll costs nothing while it is off.
    _setLeftReleaseReports(on) {
        this._leftReleases = on;
        if (!on && this._releasePoll) {
            GLib.source_remove(this._releasePoll);
            this._releasePoll = 0;
        } else if (on && !this._releasePoll) {
            this._leftHeld = leftButtonHeld();
            this._releasePoll = GLib.timeout_add(GLib.PRIORITY_HIGH, PollMs, () => {
                // The shield, while it is up, sees every click itself.
                const held = !this._shield && leftButtonHeld();
                if (this._leftHeld && !held && !this._shield)
                    this._reportRelease();
                this._leftHeld = held;
                return GLib.SOURCE_CONTINUE;
            });
        }
    }

    _reportRelease() {
        const [x, y] = global.get_pointer();
        const target = this._whatIsAt(x, y);
        if (target !== 'shell')
            this._emit('LeftButtonReleased', '(b)', [target === 'tapfill']);
    }

    /// 'tapfill' for Tapfill's windows and its indicator, 'shell' for the
    /// shell's own surfaces (top bar, menus, overview), where a click is no
    /// click into a program's box, 'program' otherwise.
    _whatIsAt(x, y) {
        const {Main} = this._shell;
        const inside = actor => {
            if (!actor || !actor.visible)
                return false;
            const [ax, ay] = actor.get_transformed_position();
            const [w, h] = actor.get_transformed_size();
            return x >= ax && y >= ay && x < ax + w && y < ay + h;
        };
        if (inside(this._indicator))
            return 'tapfill';
        const grab = global.stage.get_grab_actor?.();
        if (Main.overview.visible || (grab && grab !== this._shield) || inside(Main.layoutManager.panelBox))
            return 'shell';
        const window = windowAt(x, y);
        return window && this._client && window.get_pid() === this._client.pid ? 'tapfill' : 'program';
    }

    // ---- paste mode: right clicks kept, left clicks handed on -------------------

    SetPasteModeAsync([on], invocation) {
        this._fromClient(invocation, () => this._setPasteMode(on));
    }

    /// A reactive actor over all windows takes every click from them (the
    /// shell routes a click to a window or to itself, not by button): right
    /// clicks stay there, other clicks are handed on. It lies just above the
    /// windows, so the top bar, the overview and the shell's menus (Tapfill's
    /// icon among them) work as ever.
    _setPasteMode(on) {
        if (!on && this._shield) {
            this._endReplay();
            this._shield.destroy();
            this._shield = null;
        } else if (on && !this._shield) {
            this._shield = new St.Widget({reactive: true, x: 0, y: 0});
            this._shield.add_constraint(new Clutter.BindConstraint({
                source: global.stage, coordinate: Clutter.BindCoordinate.SIZE,
            }));
            this._shield.connect('button-press-event', (_a, event) => this._onShieldButton(event, true));
            this._shield.connect('button-release-event', (_a, event) => this._onShieldButton(event, false));
            this._shield.connect('motion-event', (_a, event) => this._onShieldMotion(event));
            global.window_group.get_parent().insert_child_above(this._shield, global.window_group);
        }
    }

    _onShieldButton(event, pressed) {
        const button = event.get_button();
        if (button === Clutter.BUTTON_SECONDARY) {
            this._emit('RightButton', '(b)', [pressed]);
        } else if (pressed && !this._gesture) {
            this._gesture = {button, path: [event.get_coords()]};
        } else if (!pressed && this._gesture?.button === button) {
            const gesture = this._gesture;
            this._gesture = null;
            gesture.path.push(event.get_coords());
            if (button === Clutter.BUTTON_PRIMARY && this._leftReleases)
                this._reportRelease();
            this._replay(gesture);
        }
        return Clutter.EVENT_STOP;
    }

    _onShieldMotion(event) {
        if (this._gesture && this._gesture.path.length < 200)
            this._gesture.path.push(event.get_coords());
        return Clutter.EVENT_STOP;
    }

    /// The seat drops a second press of a button that is held, so a left
    /// click (or a double click's second one, or a drag) cannot go on
    /// while the user holds it: it is played again, press, path and
    /// release, with the shield out of the way, once the button is up.
    _replay({button, path}) {
        this._pointer ??= defaultSeat().create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        const pointer = this._pointer;
        this._replaying = true;
        this._shield.hide();
        // Held a moment, as a hand does: a press and a release at the same
        // instant may come to nothing.
        // A move, even by one pixel, makes the window under the pointer
        // take it back from the shield (it left the window when the shield
        // came), so that the press goes to that window.
        // The user may move on while the gesture is played: the pointer is
        // brought back to the gesture's end for the release only when it has
        // left it, and then returned to where the user put it. A place this
        // replay put the pointer (or the user's own release, which the input
        // thread may not have reached yet) is no move of theirs.
        const key = (x, y) => `${Math.round(x)},${Math.round(y)}`;
        const [xEnd, yEnd] = path[path.length - 1];
        const played = new Set([key(xEnd, yEnd)]);
        let userAt = null;
        let userOverridden = false;
        const observe = () => {
            const [x, y] = global.get_pointer();
            if (!played.has(key(x, y))) {
                userAt = [x, y];
                userOverridden = false;
            }
            return key(x, y);
        };
        const moveTo = (x, y) => {
            played.add(key(x, y));
            userOverridden = userAt !== null;
            pointer.notify_absolute_motion(now(), x, y);
        };
        const release = () => {
            if (observe() !== key(xEnd, yEnd))
                moveTo(xEnd, yEnd);
            pointer.notify_button(now(), button, Clutter.ButtonState.RELEASED);
            if (userOverridden)
                pointer.notify_absolute_motion(now(), ...userAt);
        };
        const [x0, y0] = path[0];
        observe();
        moveTo(x0 > 0 ? x0 - 1 : x0 + 1, y0);
        moveTo(x0, y0);
        pointer.notify_button(now(), button, Clutter.ButtonState.PRESSED);
        const steps = this._replaySteps = [
            ...path.slice(1, -1).map(([x, y]) => () => {
                observe();
                moveTo(x, y);
            }),
            release,
        ];
        // The virtual device's events reach the stage through the input
        // thread; the shield comes back once they have gone by.
        this._replayStep = GLib.timeout_add(GLib.PRIORITY_HIGH, ReplayStepMs, () => {
            if (steps.length > 0) {
                steps.shift()();
                return GLib.SOURCE_CONTINUE;
            }
            this._replayStep = 0;
            this._endReplay();
            return GLib.SOURCE_REMOVE;
        });
    }

    _endReplay() {
        if (this._replayStep) {
            GLib.source_remove(this._replayStep);
            // Cut short (paste mode went off): the button is not left held.
            this._replaySteps.at(-1)();
        }
        this._replayStep = 0;
        this._replaySteps = null;
        this._replaying = false;
        this._gesture = null;
        this._shield?.show();
    }

    // ---- keys ---------------------------------------------------------------------

    SetPasteModeKeyAsync([accelerator, keyval], invocation) {
        this._fromClient(invocation, () => new GLib.Variant('(b)', [this._setPasteModeKey(accelerator, keyval)]));
    }

    /// The key is taken from the focused program by the grab, reported, and
    /// typed again for that program, so that it still gets it.
    _setPasteModeKey(accelerator, keyval) {
        const {Main} = this._shell;
        if (this._keyAction) {
            global.display.ungrab_accelerator(this._keyAction);
            global.display.disconnect(this._keyActivatedId);
            this._keyAction = 0;
        }
        if (this._regrabId)
            GLib.source_remove(this._regrabId);
        this._regrabId = 0;
        this._pasteModeKey = accelerator ? {accelerator, keyval} : null;
        if (!accelerator)
            return true;
        this._keyAction = global.display.grab_accelerator(accelerator, Meta.KeyBindingFlags.NONE);
        if (!this._keyAction)
            return false;
        Main.wm.allowKeybinding(Meta.external_binding_name_for_action(this._keyAction), Shell.ActionMode.ALL);
        this._keyActivatedId = global.display.connect('accelerator-activated', (_d, action) => {
            if (action === this._keyAction)
                this._onPasteModeKey();
        });
        return true;
    }

    /// The grab takes the key from the program; it gets it again once the
    /// user has let go (the seat drops a press of a key that is held, and
    /// the shell hears of no release), so a little later. Input that came
    /// in over D-Bus meanwhile (a remote desktop's, the key's release among
    /// it) waits in the shell's main loop when the shell is busy: it goes
    /// first, hence the low priority.
    _onPasteModeKey() {
        this._emit('PasteModeKey');
        const key = this._pasteModeKey;
        this._setPasteModeKey('', 0);
        this._regrabId = GLib.timeout_add(GLib.PRIORITY_LOW, KeyReplayMs, () => {
            const keyboard = this._virtualKeyboard();
            keyboard.notify_keyval(now(), key.keyval, Clutter.KeyState.PRESSED);
            keyboard.notify_keyval(now(), key.keyval, Clutter.KeyState.RELEASED);
            this._regrabId = GLib.timeout_add(GLib.PRIORITY_DEFAULT, 50, () => {
                this._regrabId = 0;
                this._setPasteModeKey(key.accelerator, key.keyval);
                return GLib.SOURCE_REMOVE;
            });
            return GLib.SOURCE_REMOVE;
        });
    }

    _virtualKeyboard() {
        this._keyboard ??= defaultSeat().create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
        return this._keyboard;
    }

    /// Each key is a keyval and whether it goes down or up. Refused, with
    /// the reason, while the user holds a modifier: it would change what the
    /// keys mean.
    SendKeysAsync([keys], invocation) {
        this._fromClient(invocation, () => {
            const held = global.get_pointer()[2] & (Clutter.ModifierType.SHIFT_MASK |
                Clutter.ModifierType.CONTROL_MASK | Clutter.ModifierType.MOD1_MASK |
                Clutter.ModifierType.SUPER_MASK | Clutter.ModifierType.MOD4_MASK);
            if (held)
                return new GLib.Variant('(s)', ['a modifier key (Shift, Ctrl, Alt or Super) is held down']);
            const keyboard = this._virtualKeyboard();
            for (const [keyval, down] of keys)
                keyboard.notify_keyval(now(), keyval, down ? Clutter.KeyState.PRESSED : Clutter.KeyState.RELEASED);
            return new GLib.Variant('(s)', ['']);
        });
    }

    // ---- the clipboard --------------------------------------------------------------
    //
    // A clipboard owner that the shell serves from memory holds one format:
    // one of several formats, or a word when a program reads it, would need
    // a read method of its own, which a script cannot give a shell class.

    SetClipboardTextAsync([text], invocation) {
        this._fromClient(invocation, () => {
            this._setOwnContent(Meta.SelectionSourceMemory.new(TextMimeType, bytesOf(text)));
            return new GLib.Variant('(b)', [true]);
        });
    }

    ClearClipboardAsync(_params, invocation) {
        this._fromClient(invocation, () => {
            this._setOwnContent(Meta.SelectionSourceMemory.new(TextMimeType, new GLib.Bytes(new Uint8Array(0))));
            return new GLib.Variant('(b)', [true]);
        });
    }

    _setOwnContent(source) {
        this._selection.set_owner(Meta.SelectionType.SELECTION_CLIPBOARD, source);
        this._ownSource = source;
    }

    /// Reads what the clipboard holds now, in the one format that is given
    /// back; while Tapfill's text is there, what was kept for it stays.
    KeepClipboardAsync(_params, invocation) {
        this._fromClient(invocation, () => {
            if (this._ownSource && this._kept)
                return Promise.resolve(new GLib.Variant('(b)', [true]));
            return this._readClipboard().then(kept => {
                this._kept = kept;
                return new GLib.Variant('(b)', [kept !== null]);
            });
        });
    }

    /// [format, bytes], [] for an empty clipboard, or null when it could
    /// not be read in time.
    _readClipboard() {
        const type = Meta.SelectionType.SELECTION_CLIPBOARD;
        const offered = this._selection.get_mimetypes(type);
        const format = GivenBackFormats.find(f => offered.includes(f)) ??
            offered.find(f => f.startsWith('image/')) ?? offered.find(f => f.includes('/'));
        if (!format)
            return Promise.resolve([]);
        return new Promise(resolve => {
            const cancellable = new Gio.Cancellable();
            const timeout = GLib.timeout_add(GLib.PRIORITY_DEFAULT, KeepClipboardMs, () => {
                cancellable.cancel();
                return GLib.SOURCE_REMOVE;
            });
            const stream = Gio.MemoryOutputStream.new_resizable();
            this._selection.transfer_async(type, format, KeepClipboardMaxBytes, stream, cancellable,
                (selection, result) => {
                    if (!cancellable.is_cancelled())
                        GLib.source_remove(timeout);
                    try {
                        selection.transfer_finish(result);
                        stream.close(null);
                        resolve([format, stream.steal_as_bytes()]);
                    } catch (e) {
                        resolve(null);
                    }
                });
        });
    }

    GiveClipboardBackAsync(_params, invocation) {
        this._fromClient(invocation, () => this._giveClipboardBack());
    }

    /// Only Tapfill's own content is replaced: something copied meanwhile
    /// stays.
    _giveClipboardBack() {
        const kept = this._kept;
        this._kept = null;
        const own = this._ownSource;
        this._ownSource = null;
        if (!own)
            return;
        if (kept && kept.length === 2)
            this._selection.set_owner(Meta.SelectionType.SELECTION_CLIPBOARD, Meta.SelectionSourceMemory.new(...kept));
        else
            this._selection.unset_owner(Meta.SelectionType.SELECTION_CLIPBOARD, own);
    }

    // ---- windows ------------------------------------------------------------------------

    FocusedProgramAsync(_params, invocation) {
        this._fromClient(invocation, () => {
            const window = global.display.focus_window;
            if (!window)
                return new GLib.Variant('(sssx)', ['', '', '', 0]);
            const app = Shell.WindowTracker.get_default().get_window_app(window);
            const appId = (window.get_sandboxed_app_id?.() || window.get_gtk_application_id() ||
                app?.get_id() || '').replace(/\.desktop$/, '');
            return new GLib.Variant('(sssx)', [appId, window.get_wm_class() || '',
                window.get_wm_class_instance() || '', window.get_pid()]);
        });
    }

    /// Tapfill's window of that title; a Wayland client cannot place or
    /// stack itself, so the shell does it.
    _clientWindow(title) {
        return global.get_window_actors().map(a => a.get_meta_window())
            .find(w => w.get_pid() === this._client.pid && w.get_title() === title) ?? null;
    }

    KeepWindowAboveAsync([title], invocation) {
        this._fromClient(invocation, () => {
            const window = this._clientWindow(title);
            if (window) {
                window.make_above();
                window.raise();
            }
            return new GLib.Variant('(b)', [window !== null]);
        });
    }

    MoveWindowAsync([title, x, y], invocation) {
        this._fromClient(invocation, () => {
            const window = this._clientWindow(title);
            window?.move_frame(true, x, y);
            // A window that has only just appeared is placed by the shell
            // once more as its first frames come: place it again then.
            let checks = 3;
            GLib.timeout_add(GLib.PRIORITY_DEFAULT, 100, () => {
                const rect = window?.get_frame_rect();
                if (rect && (rect.x !== x || rect.y !== y))
                    window.move_frame(true, x, y);
                return --checks > 0 && rect ? GLib.SOURCE_CONTINUE : GLib.SOURCE_REMOVE;
            });
            return new GLib.Variant('(b)', [window !== null]);
        });
    }

    WindowPositionAsync([title], invocation) {
        this._fromClient(invocation, () => {
            const window = this._clientWindow(title);
            const rect = window?.get_frame_rect();
            return new GLib.Variant('(bii)', [window !== null, rect?.x ?? 0, rect?.y ?? 0]);
        });
    }

    // ---- the indicator in the top bar ---------------------------------------------------

    ShowIndicatorAsync([png, tip], invocation) {
        this._fromClient(invocation, () => this._showIndicator(png, tip));
    }

    _showIndicator(png, tip) {
        const {Main, PanelMenu} = this._shell;
        if (!this._indicator) {
            this._indicator = new PanelMenu.Button(0.5, 'Tapfill', false);
            this._icon = new St.Icon({style_class: 'system-status-icon'});
            this._indicator.add_child(this._icon);
            // Only a double click acts and a right click opens the menu, as
            // with Tapfill's tray icon elsewhere.
            this._indicator.connect('event', (_a, event) => this._onIndicatorEvent(event));
            this._indicator.menu.connect('open-state-changed', (_m, open) => {
                if (open)
                    this._emit('IndicatorMenuOpening');
            });
            this._indicator.connect('notify::hover', () => this._showTip(this._indicator.hover));
            Main.panel.addToStatusArea('tapfill', this._indicator);
            this._setMenuItems(this._menuItems ?? []);
        }
        this._icon.gicon = Gio.BytesIcon.new(GLib.Bytes.new(png));
        this._tip = tip;
        if (this._tipLabel)
            this._tipLabel.text = tip;
    }

    _onIndicatorEvent(event) {
        if (event.type() !== Clutter.EventType.BUTTON_PRESS)
            return Clutter.EVENT_PROPAGATE;
        const button = event.get_button();
        if (button === Clutter.BUTTON_SECONDARY) {
            this._indicator.menu.toggle();
        } else if (button === Clutter.BUTTON_PRIMARY) {
            const time = event.get_time();
            const interval = Clutter.Settings.get_default().double_click_time;
            if (this._lastPress !== undefined && time - this._lastPress <= interval) {
                this._lastPress = undefined;
                this._emit('IndicatorDoubleClicked');
            } else {
                this._lastPress = time;
            }
        }
        return Clutter.EVENT_STOP;
    }

    _showTip(show) {
        const {Main} = this._shell;
        if (!show) {
            this._tipLabel?.destroy();
            this._tipLabel = null;
            return;
        }
        if (this._tipLabel || !this._tip)
            return;
        this._tipLabel = new St.Label({style_class: 'dash-label', text: this._tip});
        Main.uiGroup.add_child(this._tipLabel);
        const [x, y] = this._indicator.get_transformed_position();
        const [, height] = this._indicator.get_transformed_size();
        const width = this._tipLabel.get_preferred_width(-1)[1];
        const monitor = Main.layoutManager.primaryMonitor;
        this._tipLabel.set_position(Math.max(0, Math.min(x, monitor.x + monitor.width - width)), y + height + 4);
    }

    SetIndicatorMenuAsync([items], invocation) {
        this._fromClient(invocation, () => this._setMenuItems(items));
    }

    _setMenuItems(items) {
        const {PopupMenu} = this._shell;
        this._menuItems = items;
        if (!this._indicator)
            return;
        const menu = this._indicator.menu;
        menu.removeAll();
        items.forEach(([label, checkable, checked, enabled], index) => {
            if (!label) {
                menu.addMenuItem(new PopupMenu.PopupSeparatorMenuItem());
                return;
            }
            const item = new PopupMenu.PopupMenuItem(label.replace(/&(.)/g, '$1'));
            if (checkable)
                item.setOrnament(checked ? PopupMenu.Ornament.CHECK : PopupMenu.Ornament.NONE);
            item.setSensitive(enabled);
            item.connect('activate', () => this._emit('IndicatorMenuItemActivated', '(i)', [index]));
            menu.addMenuItem(item);
        });
    }

    RemoveIndicatorAsync(_params, invocation) {
        this._fromClient(invocation, () => this._removeIndicator());
    }

    _removeIndicator() {
        this._showTip(false);
        this._indicator?.destroy();
        this._indicator = null;
        this._menuItems = null;
    }

    ShowMessageAsync([title, text], invocation) {
        this._fromClient(invocation, () => this._shell.Main.notify(title, text));
    }
};

function leftButtonHeld() {
    return (global.get_pointer()[2] & Clutter.ModifierType.BUTTON1_MASK) !== 0;
}

/// The topmost window shown at that point of the screen.
function windowAt(x, y) {
    const actors = global.get_window_actors();
    for (let i = actors.length - 1; i >= 0; i--) {
        const window = actors[i].get_meta_window();
        if (!actors[i].visible || window.minimized || !window.showing_on_its_workspace())
            continue;
        const rect = window.get_frame_rect();
        if (x >= rect.x && y >= rect.y && x < rect.x + rect.width && y < rect.y + rect.height)
            return window;
    }
    return null;
}

/// Whether process `pid` runs Tapfill: its executable is named so.
function isTapfill(pid) {
    try {
        const target = GLib.file_read_link(`/proc/${pid}/exe`).replace(/ \(deleted\)$/, '');
        return GLib.path_get_basename(target) === CallerExecutable;
    } catch (e) {
        return false;
    }
}
