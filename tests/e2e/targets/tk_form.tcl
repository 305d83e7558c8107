# A Tk form that reports what it receives, for the end-to-end tests.
#   wish tk_form.tcl REPORT [ENTRIES [+X+Y [DEAF [OPTION...]]]]
# Window title "Tk Form": ENTRIES one-line entries e0.. (default 6) and one
# multi-line text box "memo". The entries named in the list DEAF ignore
# every paste key and never ask for the clipboard. Every line of REPORT is
#   TIME KIND WIDGET DATA
# with TIME in microseconds of the wall clock and DATA escaped (\\ \n \r \t):
#   content  the widget's whole text after each change
#   key      a key press (keysym)
#   rpress / rrelease  the right button's binding fired
#   focus    the widget took the keyboard focus
#   layout   a widget's place in the window: x y width height
#   cleared  F5 emptied every field
#   targets / hint  (-ask-on-paste) the clipboard's TARGETS and its
#            x-kde-passwordManagerHint, asked as a paste into an entry begins
#   copied   (-copy-on-paste TEXT) TEXT was copied right after such a paste

set report [open [lindex $argv 0] a]
fconfigure $report -buffering line -encoding utf-8
set entries [expr {[llength $argv] > 1 ? [lindex $argv 1] : 6}]
set position [expr {[llength $argv] > 2 ? [lindex $argv 2] : "+400+100"}]
set deaf [lindex $argv 3]
set options [lrange $argv 4 end]
set askOnPaste [expr {"-ask-on-paste" in $options}]
set copyAt [lsearch $options -copy-on-paste]
set copyOnPaste [lindex $options $copyAt+1]

proc escape {text} {
    return [string map [list "\\" "\\\\" "\n" "\\n" "\r" "\\r" "\t" "\\t"] $text]
}
proc say {kind widget data} {
    global report
    puts $report "[clock microseconds] $kind $widget [escape $data]"
}

wm title . "Tk Form"
wm geometry . $position
for {set i 0} {$i < $entries} {incr i} {
    set ::value(e$i) ""
    label .l$i -text "Field $i"
    entry .e$i -width 40 -textvariable ::value(e$i)
    grid .l$i .e$i -sticky w -padx 4 -pady 2
    trace add variable ::value(e$i) write [list apply {{name args} {
        say content $name $::value($name)
    }} e$i]
    bind .e$i <Return> {say key %W Return-bound}
    if {"e$i" in $deaf} {
        bind .e$i <<Paste>> break
    }
}
text .memo -width 40 -height 6
grid .memo -columnspan 2 -padx 4 -pady 4
bind .memo <<Modified>> {
    if {[.memo edit modified]} {
        say content memo [.memo get 1.0 end-1c]
        .memo edit modified 0
    }
}
# A tag of its own, first in every widget's list: it sees every key, also
# Tab, which the "all" tag's own Tab binding would otherwise take alone.
bind Report <KeyPress> {say key %W %K}
bind Report <ButtonPress-3> {say rpress %W {}}
bind Report <ButtonRelease-3> {say rrelease %W {}}
bind Report <FocusIn> {say focus %W {}}
# F5 empties every field, so that a long run does not pile up text.
bind Report <Key-F5> {
    for {set i 0} {$i < $entries} {incr i} { set ::value(e$i) "" }
    .memo delete 1.0 end
    say cleared . {}
}
# A program that looks at the clipboard before it pastes, the way one
# choosing among formats does, and one that copies something of its own
# right after a paste (its class binding has inserted the text by then).
proc clipboardTarget {type} {
    if {[catch {clipboard get -type $type} value]} { return "error: $value" }
    # Tk gives the bytes of a type it does not know as numbers.
    if {[regexp {^(0x[0-9a-f]+ )+$} $value]} { return [binary format c* $value] }
    return $value
}
bind AskBeforePaste <<Paste>> {
    say targets %W [join [clipboardTarget TARGETS]]
    say hint %W [clipboardTarget x-kde-passwordManagerHint]
}
bind CopyAfterPaste <<Paste>> {
    clipboard clear
    clipboard append -- $copyOnPaste
    say copied %W $copyOnPaste
}
foreach w [concat . [winfo children .]] {
    bindtags $w [linsert [bindtags $w] 0 Report]
    # Report, the widget, then its class: around the class's paste.
    if {[winfo class $w] eq "Entry"} {
        if {$copyAt >= 0} { bindtags $w [linsert [bindtags $w] 3 CopyAfterPaste] }
        if {$askOnPaste} { bindtags $w [linsert [bindtags $w] 2 AskBeforePaste] }
    }
}
update
for {set i 0} {$i < $entries} {incr i} {
    say layout e$i "[winfo x .e$i] [winfo y .e$i] [winfo width .e$i] [winfo height .e$i]"
}
say layout memo "[winfo x .memo] [winfo y .memo] [winfo width .memo] [winfo height .memo]"
say ready . {}
