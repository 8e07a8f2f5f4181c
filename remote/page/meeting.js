// The meeting console on the page: each seat's running time on its button
// (in the warning before its speaking limit, the time left, amber; once the
// time is up, red), the requests to speak beside the panel with their
// waiting times, 次の発言者 and 全員オフ. The program sends the meeting
// whenever its seats, requests or rules change, with the times of that
// moment; between messages the page counts the times on by itself.
//
// panel.js owns the buttons and the connection; this part is handed what it
// needs of them (the texts, the requests to the interface, the notice line,
// whether the page operates, a repaint) and answers what a seat shows.
'use strict';
window.ZkMeeting = function (ctx) {
  const T = ctx.texts;
  const aside = document.getElementById('meeting');
  const list = document.getElementById('requests');
  const empty = document.getElementById('noRequests');
  const actions = { next: document.getElementById('next'), allOff: document.getElementById('allOff') };
  let meeting = null;   // the last meeting the program sent
  let since = 0;        // Date.now() when it came
  let seats = new Map(); // "mixer/channel" -> the seat as last sent
  let busy = false;     // 次の発言者 or 全員オフ awaits its answer

  function seatKey(mixer, channel) { return mixer + '/' + channel; }

  function elapsed() { return meeting ? Math.max(0, (Date.now() - since) / 1000) : 0; }

  // Whole seconds as m:ss, as the desktop panel shows them.
  function clock(seconds) {
    const whole = Math.max(0, Math.floor(seconds));
    return Math.floor(whole / 60) + ':' + String(whole % 60).padStart(2, '0');
  }

  function fill(text, ...args) {
    return args.reduce((t, a, i) => t.replace('%' + (i + 1), a), text || '');
  }

  // What the interface's refusal words mean, in the program's words.
  function refusalText(word) {
    const texts = T.refusals || {};
    return texts[word] || '';
  }

  function apply(m) {
    meeting = m && m.executing ? m : null;
    since = Date.now();
    seats = new Map();
    if (meeting)
      for (const s of meeting.seats)
        seats.set(seatKey(s.mixer, s.channel), s);
    const shown = !!meeting;
    showRequests();
    if (aside.hidden === shown) {
      aside.hidden = !shown;
      ctx.layout(); // the panel gives the list its room, or takes it back
    }
    ctx.repaint();
  }

  // The speaking time of a seat shown on, against the limit: as the
  // desktop's rules have it, the chair runs free.
  function seatView(mixer, channel, on) {
    const s = seats.get(seatKey(mixer, channel));
    const view = { time: '', phase: 'none', words: '' };
    if (!s)
      return view;
    const chair = s.role === 'chair';
    view.words = chair ? T.chair : '';
    if (!on || !s.running)
      return view;
    const seconds = s.seconds + elapsed();
    const limit = meeting.speakingLimit;
    const left = limit.seconds ? limit.seconds - seconds : Infinity;
    view.time = clock(seconds);
    if (!chair && left <= 0) {
      view.phase = 'ended';
      view.words = fill(T.timeUp);
    } else if (!chair && left <= limit.warning) {
      view.phase = 'warning';
      view.time = clock(Math.ceil(left));
      view.words = fill(T.timeLeft, view.time);
    } else {
      view.words = [view.words, fill(T.speakingFor, view.time)].filter(Boolean).join(' ');
    }
    return view;
  }

  function captionOf(mixer, channel) {
    const s = seats.get(seatKey(mixer, channel));
    return s ? s.caption.replace(/\r?\n/g, ' ') : mixer + '-' + channel;
  }

  function showRequests() {
    const requests = meeting ? meeting.requests : [];
    empty.hidden = requests.length > 0;
    while (list.children.length > requests.length)
      list.lastChild.remove();
    requests.forEach((r, i) => {
      let item = list.children[i];
      if (!item) {
        item = document.createElement('li');
        item.appendChild(document.createElement('span'));
        const withdraw = document.createElement('button');
        withdraw.type = 'button';
        withdraw.textContent = '×';
        withdraw.addEventListener('click', () => act('DELETE', '/api/v1/meeting/requests/' + item.dataset.seat));
        item.appendChild(withdraw);
        list.appendChild(item);
      }
      item.dataset.seat = r.mixer + '/' + r.channel;
      const text = fill(T.requestItem, i + 1, captionOf(r.mixer, r.channel), clock(r.waiting + elapsed()));
      if (item.firstChild.textContent !== text)
        item.firstChild.textContent = text;
      const withdraw = item.lastChild;
      withdraw.disabled = !ctx.operable();
      withdraw.setAttribute('aria-label', T.withdraw + ': ' + captionOf(r.mixer, r.channel));
    });
    for (const b of Object.values(actions))
      b.disabled = busy || !ctx.operable();
  }

  // An action of the console; what it changed comes back as a meeting
  // event. A refusal is said on the notice line.
  function act(method, path, body) {
    if (!ctx.operable())
      return Promise.resolve();
    return ctx.call(method, path, body).then((r) => {
      if (r.status === 200 && r.body.verified !== false) {
        ctx.notice('');
        return;
      }
      const word = r.body.error || '';
      ctx.notice(refusalText(word) || (r.status === 504 ? T.failed : fill(T.notTaken, r.body.message || word || r.status)));
    });
  }

  function switchAll(path) {
    if (busy)
      return;
    busy = true;
    showRequests();
    act('POST', path).then(() => { busy = false; showRequests(); });
  }

  // A long press, a right click, the context-menu key or R on a seat:
  // the seat asks to speak, or withdraws its request.
  function toggleRequest(mixer, channel) {
    if (!meeting)
      return;
    const requested = meeting.requests.some((r) => r.mixer === mixer && r.channel === channel);
    if (requested)
      act('DELETE', '/api/v1/meeting/requests/' + mixer + '/' + channel);
    else
      act('POST', '/api/v1/meeting/requests', { mixer: mixer, channel: channel });
  }

  function load() {
    return ctx.getJson('/api/v1/meeting').then(apply, () => apply(null));
  }

  actions.next.textContent = T.next;
  actions.allOff.textContent = T.allOff;
  actions.next.addEventListener('click', () => switchAll('/api/v1/meeting/next'));
  actions.allOff.addEventListener('click', () => switchAll('/api/v1/meeting/all-off'));
  document.getElementById('requestsTitle').textContent = T.requests;
  empty.textContent = T.noRequests;
  document.getElementById('requestHint').textContent = T.requestHint;
  setInterval(() => {
    if (!meeting)
      return;
    showRequests();
    if (meeting.seats.some((s) => s.running))
      ctx.repaint();
  }, 1000);

  return { apply: apply, load: load, seatView: seatView, toggleRequest: toggleRequest,
           refusalText: refusalText, refresh: showRequests };
};
