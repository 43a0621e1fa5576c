// The engine's published properties, as a window description sets them.
#include "engine/Cdp.h"

TPropertyTable& TCDP::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p;
    auto integer = [](const TPropValue& v) { return static_cast<int>(AsInteger(v)); };
    Prop<TCDP>(p, "IntroPlay", [](TCDP* c, const TPropValue& v) { c->SetIntroPlay(AsBoolean(v)); });
    Prop<TCDP>(p, "IntroTime", [integer](TCDP* c, const TPropValue& v) { c->SetIntroTime(integer(v)); });
    Prop<TCDP>(p, "NotifyAt", [integer](TCDP* c, const TPropValue& v) { c->SetNotifyAt(integer(v)); });
    Prop<TCDP>(p, "PlayList.Strings", [](TCDP* c, const TPropValue& v) {
      TStringList list;
      for (const auto& s : AsStrings(v)) list.Add(s);
      c->SetPlayList(&list);
    });
    Prop<TCDP>(p, "RepeatPlay", [](TCDP* c, const TPropValue& v) { c->SetRepeatPlay(AsBoolean(v)); });
    Prop<TCDP>(p, "Seconds", [integer](TCDP* c, const TPropValue& v) { c->SetSeconds(integer(v)); });
    Prop<TCDP>(p, "ShufflePlay", [](TCDP* c, const TPropValue& v) { c->SetShufflePlay(AsBoolean(v)); });
    Prop<TCDP>(p, "OnCDInsert",
               [](TCDP* c, const TPropValue& v) { c->OnCDInsert = HandlersFor(c).Get<TNotifyEvent>(v); });
    Prop<TCDP>(p, "OnCDExit", [](TCDP* c, const TPropValue& v) { c->OnCDExit = HandlersFor(c).Get<TNotifyEvent>(v); });
    Prop<TCDP>(p, "OnSongChange",
               [](TCDP* c, const TPropValue& v) { c->OnSongChange = HandlersFor(c).Get<TNotifyEvent>(v); });
    Prop<TCDP>(p, "OnTime", [](TCDP* c, const TPropValue& v) { c->OnTime = HandlersFor(c).Get<TNotifyEvent>(v); });
    Prop<TCDP>(p, "TimeFormat", [](TCDP* c, const TPropValue& v) { c->SetTimeFormat(AsString(v)); });
    Prop<TCDP>(p, "TimeMode", [](TCDP* c, const TPropValue& v) {
      c->SetTimeMode(static_cast<TCDPTimeMode>(
          AsEnum(v, {"cdpTrackPast", "cdpTrackLeft", "cdpTotalPast", "cdpTotalLeft", "cdpNone"})));
    });
    return p;
  }();
  return t;
}
