// The control panel in a browser: the panel's buttons where the desktop
// panel has them, scaled to the screen (or, on a narrow screen, in rows);
// a tap switches the channel through the program, which answers once the
// mixer holds it (or the passes ran out). The link's state and each
// button's state arrive over a WebSocket that reconnects by itself.
//
// Every answer the interface can give is taken here: nothing on the page is
// cleared by an error, a burst of taps on one button sends its last wish
// only, a refused or held-up switch is shown as not done and is not sent
// again by itself, and a page whose program has gone says so.
'use strict';
(function () {
  const T = JSON.parse(document.body.dataset.texts || '{}');
  const stage = document.getElementById('stage');
  const SETTLE_MS = 250;       // taps closer than this are one wish
  const GONE_MS = 10000;       // without the program this long: say so
  const MIN_BUTTON_PX = 44;    // smaller than this: buttons go in rows
  const seats = new Map();     // "mixer/channel" -> what this page knows of the seat
  let entries = [];            // the buttons shown, the output buttons too
  let panel = null;
  const state = { executing: false, access: null, blocked: null, connected: false, mixers: 0,
                  kind: '', file: '', gone: false, refused: false };
  let socket = null;
  let retry = 1000;
  let lostSince = null;
  let reloadTimer = null;
  let wakeLock = null;
  let meeting = null;          // the meeting console's part of the page

  const $ = (id) => document.getElementById(id);
  $('title').textContent = T.title || 'ZK-VR340a';
  document.title = T.title || 'ZK-VR340a';

  function key(mixer, channel) { return mixer + '/' + channel; }

  function seat(k) {
    if (!seats.has(k))
      seats.set(k, { on: false, sync: 'settled', wish: null, inFlight: null, timer: null,
                     mark: null, follow: false });
    return seats.get(k);
  }

  function operable() {
    return state.access === 'operate' && state.executing && !state.gone && !state.refused;
  }

  // The lines above the panel: what holds the page back, most important first.
  function showState() {
    const body = document.body.classList;
    body.toggle('watch', state.access === 'watch');
    body.toggle('readonly', !state.executing);
    body.toggle('held', !!state.blocked);
    body.toggle('gone', state.gone);
    let link = state.connected ? T.linkUp : T.linkDown;
    if (state.kind === 'virtual' && state.connected)
      link = (T.virtual || '%1').replace('%1', state.mixers);
    if (state.gone)
      link = T.gone;
    else if (!socket || socket.readyState !== WebSocket.OPEN)
      link = T.reconnecting;
    $('link').textContent = link;
    // Virtual mixers are counted in the link's line already.
    $('mixers').textContent = state.kind === 'virtual' ? '' : (T.mixers || '%1').replace('%1', state.mixers);
    $('file').textContent = state.file || '';
    let line = '';
    if (state.gone) line = T.gone;
    else if (state.blocked) line = T.blocked;
    else if (state.access === 'watch') line = T.watchOnly;
    else if (!state.executing) line = T.readOnly;
    $('readonly').textContent = line;
    $('readonly').hidden = line === '';
    for (const entry of entries)
      paint(entry);
    if (meeting) meeting.refresh();
    keepAwake();
  }

  function notice(text) {
    $('notice').textContent = text || '';
    $('notice').hidden = !text;
  }

  function shownOn(s) {
    if (s.wish !== null) return s.wish;
    if (s.inFlight !== null) return s.inFlight;
    return s.on;
  }

  function paint(entry) {
    const d = entry.data;
    const el = entry.el;
    const s = entry.seat;
    const on = !!s && shownOn(s);
    el.style.background = on ? d.onColor : d.offColor;
    el.classList.toggle('on', on);
    el.setAttribute('aria-disabled', String(!s || !operable()));
    if (s)
      el.setAttribute('aria-pressed', String(on));
    paintSeat(entry, on);
    el.classList.remove('waiting', 'verified', 'failed', 'limited');
    // A mark belongs to a seat that was switched while the page looked on:
    // how this page's last switch of it went, or how someone else's goes.
    // It says nothing while the program is not there to tell.
    let mark = null;
    if (s && !state.gone) {
      if (s.wish !== null || s.inFlight !== null) mark = 'waiting';
      else if (s.mark) mark = s.mark;
      else if (s.follow && s.sync !== 'settled') mark = s.sync;
    }
    if (entry.sync) {
      entry.sync.hidden = !mark;
      if (mark) {
        el.classList.add(mark);
        entry.sync.textContent = T[mark] || mark;
      }
    }
  }

  // The seat's running time beside ON, its speaking mark, and the words a
  // screen reader says of its time.
  function paintSeat(entry, on) {
    if (!entry.onoff)
      return;
    // Without the program there is no time to count on.
    const view = meeting && !state.gone ? meeting.seatView(entry.data.mixer, entry.data.channel, on)
                                        : { time: '', phase: 'none', words: '' };
    const text = (on ? (T.on || 'ON') : (T.off || 'OFF')) + (view.time ? ' ' + view.time : '');
    if (entry.onoff.textContent !== text)
      entry.onoff.textContent = text;
    entry.el.classList.toggle('speaking-warning', view.phase === 'warning');
    entry.el.classList.toggle('speaking-ended', view.phase === 'ended');
    if (view.words) entry.el.setAttribute('aria-description', view.words);
    else entry.el.removeAttribute('aria-description');
  }

  function layout() {
    if (!panel)
      return;
    let w = 1, h = 1, smallest = Infinity;
    for (const b of panel.buttons) {
      w = Math.max(w, b.left + b.width);
      h = Math.max(h, b.top + b.height);
      smallest = Math.min(smallest, b.width, b.height);
    }
    const scale = Math.min(stage.clientWidth / w, stage.clientHeight / h);
    // A phone held upright makes the panel too small to hit: the buttons
    // then stand in rows, in the panel's reading order, and the page scrolls.
    const flow = panel.buttons.length > 0 && smallest * scale < MIN_BUTTON_PX;
    document.body.classList.toggle('flow', flow);
    for (const entry of entries) {
      const b = entry.data;
      const st = entry.el.style;
      if (flow) {
        st.left = st.top = st.width = st.height = st.fontSize = '';
        continue;
      }
      st.left = (b.left * scale) + 'px';
      st.top = (b.top * scale) + 'px';
      st.width = (b.width * scale) + 'px';
      st.height = (b.height * scale) + 'px';
      // Points are 20 twips.
      st.fontSize = Math.max(10, b.font.size * 20 * scale) + 'px';
    }
  }

  function build(p) {
    panel = p;
    document.body.style.background = p.windowColor;
    stage.textContent = '';
    entries = [];
    state.executing = p.executing;
    const ordered = p.buttons.slice().sort((a, b) => a.top - b.top || a.left - b.left);
    for (const b of ordered) {
      const el = document.createElement('div');
      el.className = 'btn';
      const cap = document.createElement('div');
      cap.className = 'cap';
      cap.textContent = b.caption.join('\n');
      cap.style.fontWeight = b.font.bold ? 'bold' : 'normal';
      cap.style.fontStyle = b.font.italic ? 'italic' : 'normal';
      el.appendChild(cap);
      const entry = { el: el, data: b, seat: null };
      entries.push(entry);
      el.setAttribute('aria-label', b.caption.join(' ') || (b.output ? '' : String(b.channel)));
      if (!b.output) {
        el.setAttribute('role', 'button');
        el.tabIndex = 0;
        entry.seat = seat(key(b.mixer, b.channel));
        if (entry.seat.wish === null && entry.seat.inFlight === null)
          entry.seat.on = b.on;
        entry.onoff = document.createElement('div');
        entry.onoff.className = 'onoff';
        el.appendChild(entry.onoff);
        entry.sync = document.createElement('div');
        entry.sync.className = 'sync';
        el.appendChild(entry.sync);
        el.dataset.mixer = b.mixer;
        el.dataset.channel = b.channel;
        el.addEventListener('click', () => tap(entry));
        el.addEventListener('keydown', (e) => {
          if (e.key === 'Enter' || e.key === ' ') { e.preventDefault(); tap(entry); }
          else if ((e.key === 'r' || e.key === 'R') && !e.repeat && !e.ctrlKey && !e.altKey && !e.metaKey)
            askToSpeak(e, entry);
        });
        el.addEventListener('contextmenu', (e) => askToSpeak(e, entry));
      }
      stage.appendChild(el);
    }
    layout();
    showState();
  }

  function askToSpeak(e, entry) {
    if (!meeting || !operable())
      return;
    e.preventDefault();
    meeting.toggleRequest(entry.data.mixer, entry.data.channel);
  }

  function tap(entry) {
    if (!operable())
      return;
    const s = entry.seat;
    s.wish = !shownOn(s);
    s.mark = null;
    s.follow = false;
    notice('');
    paint(entry);
    clearTimeout(s.timer);
    s.timer = setTimeout(() => { s.timer = null; send(entry); }, SETTLE_MS);
  }

  // Sends the seat's wish once nothing of it is on the way.
  function send(entry) {
    const s = entry.seat;
    if (s.wish === null || s.inFlight !== null || s.timer)
      return;
    const want = s.wish;
    s.wish = null;
    if (want === s.on && s.sync !== 'failed') {
      paint(entry); // the burst came back to where the seat stands
      return;
    }
    s.inFlight = want;
    paint(entry);
    call('POST', '/api/v1/mixers/' + entry.data.mixer + '/channels/' + entry.data.channel, { on: want })
      .then((r) => answered(entry, want, r));
  }

  // A request to the interface and its answer, never a rejection: no
  // answer at all is status 0.
  function call(method, path, body) {
    const init = { method: method, credentials: 'same-origin' };
    if (body !== undefined) {
      init.headers = { 'Content-Type': 'application/json' };
      init.body = JSON.stringify(body);
    }
    return fetch(path, init).then((r) => r.text().then((t) => {
      let parsed = {};
      try { parsed = JSON.parse(t) || {}; } catch (e) { parsed = {}; }
      if (r.status === 401) refused();
      else heard();
      return { status: r.status, body: parsed, retryAfter: Number(r.headers.get('Retry-After')) || 1 };
    }), () => ({ status: 0, body: {}, retryAfter: 1 }));
  }

  // What each answer of the interface means for the seat and the page.
  function answered(entry, want, r) {
    const s = entry.seat;
    s.inFlight = null;
    heard();
    const error = r.body.error || '';
    switch (r.status) {
    case 200:
      s.on = want;
      s.mark = 'verified';
      break;
    case 504: // the program still wants it, the mixer did not take it
      s.on = want;
      s.mark = 'failed';
      break;
    case 429: // not taken: the wish goes again once the budget allows
      if (s.wish === null) s.wish = want;
      clearTimeout(s.timer);
      s.timer = setTimeout(() => { s.timer = null; send(entry); }, r.retryAfter * 1000);
      break;
    case 401: // call() has shown the refused page
      return;
    case 403:
      if (error === 'watch-only') state.access = 'watch';
      else notice(T.noWriteAccess);
      s.mark = null;
      break;
    case 409:
      s.mark = null;
      if (error === 'panel-not-executing') state.executing = false;
      else if (meeting && meeting.refusalText(error)) refusedFor(entry, meeting.refusalText(error));
      else if (error !== 'superseded') reloadSoon();
      break;
    case 404:
      reloadSoon();
      s.mark = null;
      break;
    case 503: // a message box holds the program, or it is stopping: not done
      if (r.body.blocked) state.blocked = r.body.blocked;
      notice(r.body.blocked ? T.blocked : T.gone);
      s.mark = null;
      statusSoon(); // the events tell when the box goes; this page may have missed it
      break;
    case 0: // no answer at all
      notice(T.gone);
      s.mark = null;
      break;
    default: // 400, 413, 415: the page's own fault, said as the program says it
      notice((T.notTaken || '%1').replace('%1', r.body.message || error || r.status));
      s.mark = null;
    }
    showState();
    send(entry); // a wish made meanwhile
  }

  // The meeting's rules refused the switch (the microphone limit): the
  // button says so for a moment, the notice line in full.
  function refusedFor(entry, text) {
    const s = entry.seat;
    s.mark = 'limited';
    notice(text);
    setTimeout(() => { if (s.mark === 'limited') { s.mark = null; paint(entry); } }, 2500);
  }

  function refused() {
    state.refused = true;
    // The page itself is refused now: the browser shows why.
    location.reload();
  }

  function applyChannel(mixer, c) {
    const s = seats.get(key(mixer, c.channel));
    if (!s)
      return;
    // Someone else switched it: the seat shows how that goes.
    if (c.on !== s.on && c.sync === 'waiting' && s.inFlight === null && s.wish === null) {
      s.follow = true;
      s.mark = null;
    }
    s.on = c.on;
    s.sync = c.sync;
  }

  function applyStatus(s) {
    state.connected = s.link.connected;
    state.kind = s.link.kind;
    state.mixers = s.mixerCount;
    state.executing = s.panel.executing;
    state.access = s.access || state.access;
    state.blocked = s.blocked || null;
    state.file = s.file || '';
    if (!state.executing && meeting) meeting.apply(null);
    for (const m of s.mixers)
      for (const c of m.channels)
        applyChannel(m.mixer, c);
    showState();
  }

  function getJson(path) {
    return fetch(path, { credentials: 'same-origin' }).then((r) => {
      if (r.status === 401) { refused(); throw new Error('refused'); }
      if (!r.ok) throw new Error(String(r.status));
      heard();
      return r.json();
    });
  }

  // The panel and the status again. An answer that is no panel changes
  // nothing on the page.
  function loadPanel() {
    return getJson('/api/v1/panel').then(build).then(() => getJson('/api/v1/status'))
      .then(applyStatus).then(() => meeting && meeting.load()).catch(() => {});
  }

  function statusSoon() {
    setTimeout(() => getJson('/api/v1/status').then(applyStatus).catch(() => {}), 3000);
  }

  function reloadSoon() {
    if (reloadTimer)
      return;
    reloadTimer = setTimeout(() => { reloadTimer = null; loadPanel(); }, 2000);
  }

  function heard() {
    lostSince = null;
    if (state.gone) {
      state.gone = false;
      notice('');
      showState();
    }
  }

  function connect() {
    socket = new WebSocket((location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + '/api/v1/events');
    socket.onopen = () => { retry = 1000; heard(); loadPanel(); };
    socket.onmessage = (m) => {
      heard();
      const e = JSON.parse(m.data);
      if (e.type === 'status') applyStatus(e);
      else if (e.type === 'channel') { applyChannel(e.mixer, e); showState(); }
      else if (e.type === 'link') { state.connected = e.link.connected; state.kind = e.link.kind; showState(); }
      else if (e.type === 'blocked') { state.blocked = e.blocked; if (!e.blocked) notice(''); showState(); }
      else if (e.type === 'mixerCount') { state.mixers = e.mixerCount; loadPanel(); }
      else if (e.type === 'panel') loadPanel();
      else if (e.type === 'meeting' && meeting) meeting.apply(e);
    };
    socket.onclose = () => {
      socket = null;
      if (lostSince === null) lostSince = Date.now();
      showState();
      setTimeout(reconnect, retry);
      retry = Math.min(retry * 2, 4000);
    };
  }

  // Before the events open again: the status says whether the program is
  // there at all and still takes this page's token.
  function reconnect() {
    if (state.refused)
      return;
    fetch('/api/v1/status', { credentials: 'same-origin' }).then((r) => {
      if (r.status === 401) { refused(); return; }
      connect();
    }, () => setTimeout(reconnect, retry));
  }

  // A screen that stays on while the chair operates; the browser gives
  // the lock only to a visible page (and over HTTPS or on this machine).
  function keepAwake() {
    const wanted = operable() && document.visibilityState === 'visible';
    if (wanted && !wakeLock && navigator.wakeLock) {
      wakeLock = 'asking';
      navigator.wakeLock.request('screen').then((l) => {
        wakeLock = l;
        l.addEventListener('release', () => { if (wakeLock === l) wakeLock = null; });
        if (!operable()) { l.release(); wakeLock = null; }
      }, () => { wakeLock = null; });
    } else if (!wanted && wakeLock && wakeLock !== 'asking') {
      wakeLock.release();
      wakeLock = null;
    }
  }

  const full = $('full');
  full.textContent = T.fullScreen || '';
  full.hidden = !document.fullscreenEnabled;
  full.addEventListener('click', () => {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
  });
  setInterval(() => {
    if (lostSince !== null && Date.now() - lostSince >= GONE_MS && !state.gone) {
      state.gone = true;
      showState();
    }
  }, 1000);
  if (window.ZkMeeting)
    meeting = window.ZkMeeting({ texts: T, call: call, getJson: getJson, notice: notice, operable: operable,
                                 layout: layout, repaint: () => entries.forEach(paint) });
  document.addEventListener('visibilitychange', keepAwake);
  window.addEventListener('resize', layout);
  loadPanel();
  connect();
})();
