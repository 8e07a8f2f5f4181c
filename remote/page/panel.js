// The control panel in a browser: the panel's buttons where the desktop
// panel has them, scaled to the screen; a tap switches the channel through
// the program, which answers once the mixer holds it (or the passes ran out).
// The link's state and each button's state arrive over a WebSocket that
// reconnects by itself.
'use strict';
(function () {
  const T = JSON.parse(document.body.dataset.texts || '{}');
  const stage = document.getElementById('stage');
  const buttons = new Map(); // "mixer/channel" -> {el, data}: the channel buttons
  let entries = [];          // every button, the output buttons too
  let panel = null;
  let executing = false;
  let socket = null;
  let retry = 1000;

  document.getElementById('title').textContent = T.title || 'ZK-VR340a';
  document.getElementById('readonly').textContent = T.readOnly || '';
  document.title = T.title || 'ZK-VR340a';

  function key(mixer, channel) { return mixer + '/' + channel; }

  function setLink(connected, count) {
    document.getElementById('link').textContent = connected ? T.linkUp : T.linkDown;
    if (count !== undefined)
      document.getElementById('mixers').textContent = (T.mixers || '%1').replace('%1', count);
  }

  function setExecuting(on) {
    executing = on;
    document.body.classList.toggle('readonly', !on);
  }

  function paint(entry) {
    const d = entry.data;
    const el = entry.el;
    const on = !d.output && d.on;
    el.style.background = on ? d.onColor : d.offColor;
    el.classList.toggle('on', on);
    el.setAttribute('aria-pressed', d.output ? 'false' : String(on));
    if (entry.onoff)
      entry.onoff.textContent = on ? 'ON' : 'OFF';
    el.classList.remove('waiting', 'verified', 'failed');
    if (entry.sync && d.sync && d.sync !== 'settled') {
      el.classList.add(d.sync);
      entry.sync.textContent = T[d.sync] || d.sync;
      entry.sync.style.display = '';
    } else if (entry.sync) {
      entry.sync.style.display = 'none';
    }
  }

  function layout() {
    if (!panel)
      return;
    let w = 1, h = 1;
    for (const b of panel.buttons) {
      w = Math.max(w, b.left + b.width);
      h = Math.max(h, b.top + b.height);
    }
    const scale = Math.min(stage.clientWidth / w, stage.clientHeight / h);
    for (const entry of entries) {
      const b = entry.data;
      entry.el.style.left = (b.left * scale) + 'px';
      entry.el.style.top = (b.top * scale) + 'px';
      entry.el.style.width = (b.width * scale) + 'px';
      entry.el.style.height = (b.height * scale) + 'px';
      // Points are 20 twips.
      entry.el.style.fontSize = Math.max(10, b.font.size * 20 * scale) + 'px';
    }
  }

  function build(p) {
    panel = p;
    document.body.style.background = p.windowColor;
    stage.textContent = '';
    buttons.clear();
    entries = [];
    setExecuting(p.executing);
    for (const b of p.buttons) {
      const el = document.createElement('div');
      el.className = 'btn';
      el.setAttribute('role', 'button');
      el.tabIndex = 0;
      const cap = document.createElement('div');
      cap.className = 'cap';
      cap.textContent = b.caption.join('\n');
      cap.style.fontWeight = b.font.bold ? 'bold' : 'normal';
      cap.style.fontStyle = b.font.italic ? 'italic' : 'normal';
      el.appendChild(cap);
      const entry = { el: el, data: b };
      entries.push(entry);
      el.setAttribute('aria-label', b.caption.join(' ') || (b.output ? '' : String(b.channel)));
      if (!b.output) {
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
        });
        buttons.set(key(b.mixer, b.channel), entry);
      }
      stage.appendChild(el);
      paint(entry);
    }
    layout();
  }

  function tap(entry) {
    if (!executing)
      return;
    const d = entry.data;
    const want = !d.on;
    d.on = want;
    d.sync = 'waiting';
    paint(entry);
    fetch('/api/v1/mixers/' + d.mixer + '/channels/' + d.channel, {
      method: 'POST', credentials: 'same-origin',
      headers: { 'Content-Type': 'application/json' }, body: JSON.stringify({ on: want })
    }).then((r) => r.json().then((j) => ({ status: r.status, body: j }))).then((r) => {
      if (r.status === 200) d.sync = 'verified';
      else if (r.status === 504) d.sync = 'failed';
      else if (r.status === 409 || r.status === 404) { d.on = !want; d.sync = 'settled'; loadPanel(); }
      paint(entry);
    }).catch(() => { d.sync = 'failed'; paint(entry); });
  }

  function applyChannel(mixer, c) {
    const entry = buttons.get(key(mixer, c.channel));
    if (!entry)
      return;
    entry.data.on = c.on;
    entry.data.sync = c.sync;
    paint(entry);
  }

  function applyStatus(s) {
    setLink(s.link.connected, s.mixerCount);
    setExecuting(s.panel.executing);
    for (const m of s.mixers)
      for (const c of m.channels)
        applyChannel(m.mixer, c);
  }

  function loadPanel() {
    return fetch('/api/v1/panel', { credentials: 'same-origin' }).then((r) => {
      if (r.status === 401) { location.reload(); throw new Error('refused'); }
      return r.json();
    }).then(build).then(() => fetch('/api/v1/status', { credentials: 'same-origin' }))
      .then((r) => r.json()).then(applyStatus).catch(() => {});
  }

  function connect() {
    socket = new WebSocket((location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + '/api/v1/events');
    socket.onopen = () => { retry = 1000; loadPanel(); };
    socket.onmessage = (m) => {
      const e = JSON.parse(m.data);
      if (e.type === 'status') applyStatus(e);
      else if (e.type === 'channel') applyChannel(e.mixer, e);
      else if (e.type === 'link') setLink(e.link.connected);
      else if (e.type === 'mixerCount') { setLink(true, e.mixerCount); loadPanel(); }
      else if (e.type === 'panel') loadPanel();
    };
    socket.onclose = () => {
      document.getElementById('link').textContent = T.reconnecting;
      setTimeout(connect, retry);
      retry = Math.min(retry * 2, 8000);
    };
  }

  window.addEventListener('resize', layout);
  loadPanel();
  connect();
})();
