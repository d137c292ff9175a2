// The live play page: shows each view the session sends, and turns the player's keys, buttons and
// clicks into the timeline entries of the scenario format (key names: play_keys.js).
/* global playKeys */
(function () {
    'use strict';

    const token = new URLSearchParams(location.search).get('token') || '';
    const $ = (id) => document.getElementById(id);
    const held = new Set();
    let view = null;
    let nextLine = 0;

    const { keyName, mouseNames } = playKeys;

    async function post(path, body) {
        const response = await fetch(path + '?token=' + encodeURIComponent(token), {
            method: 'POST',
            headers: { 'Content-Type': 'application/json' },
            body: JSON.stringify(body),
        });
        const answer = await response.json().catch(() => ({}));
        $('refused').textContent = response.ok ? '' : answer.error || response.statusText;
        return answer;
    }

    const act = (fields) => post('/act', fields);

    function showHeld() {
        $('held').textContent = held.size ? [...held].join(', ') : 'nothing';
    }

    function press(name) {
        if (held.has(name)) return;
        held.add(name);
        showHeld();
        act({ press: name });
    }

    function release(name) {
        if (!held.delete(name)) return;
        showHeld();
        act({ release: name });
    }

    // Keys typed in a form field are the page's own.
    const typing = (event) =>
        event.target instanceof HTMLSelectElement || event.target instanceof HTMLInputElement;

    document.addEventListener('keydown', (event) => {
        if (typing(event)) return;
        const name = keyName(event.code);
        if (!name) return;
        event.preventDefault();
        if (!event.repeat) press(name);
    });
    document.addEventListener('keyup', (event) => {
        const name = keyName(event.code);
        if (!name) return;
        event.preventDefault();
        release(name);
    });
    // Whatever is held when the page loses the keyboard would otherwise stay down for ever.
    window.addEventListener('blur', () => [...held].forEach(release));

    const screen = $('screen');
    screen.addEventListener('mousedown', (event) => {
        if (mouseNames[event.button]) {
            event.preventDefault();
            screen.focus();
            press(mouseNames[event.button]);
        }
    });
    document.addEventListener('mouseup', (event) => {
        if (mouseNames[event.button]) release(mouseNames[event.button]);
    });
    screen.addEventListener('contextmenu', (event) => event.preventDefault());

    // The map: world x to the right, world y up, in metres.
    const map = $('map');
    const svgNs = 'http://www.w3.org/2000/svg';
    let mapCentre = { x: 0, y: 0 };

    function shape(tag, attributes, text) {
        const element = document.createElementNS(svgNs, tag);
        for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
        if (text) element.textContent = text;
        return element;
    }

    function drawGrid() {
        const items = [shape('rect', { class: 'road', x: -4, y: -1000, width: 8, height: 2000 })];
        for (let d = -200; d <= 200; d += 10) {
            items.push(shape('line', { class: 'grid', x1: d, y1: -1000, x2: d, y2: 1000 }));
            items.push(shape('line', { class: 'grid', x1: -1000, y1: d, x2: 1000, y2: d }));
        }
        return items;
    }

    function marker(entity, cls, radius, label) {
        const group = shape('g', { transform: `translate(${entity.x} ${-entity.y})` });
        group.append(shape('circle', { class: cls, r: radius }));
        if (label) group.append(shape('text', { x: radius + 0.5, y: 0.8 }, label));
        return group;
    }

    function vehicleShape(vehicle) {
        const cls = 'vehicle' + (vehicle.crew ? ' crew' : '');
        const group = shape('g', {
            transform: `translate(${vehicle.x} ${-vehicle.y}) rotate(${-vehicle.heading})`,
        });
        group.append(
            shape('rect', { class: cls, x: -1.1, y: -2.4, width: 2.2, height: 4.8, rx: 0.4 }),
        );
        const state =
            (vehicle.upsideDown ? ' (on its roof)' : '') + (vehicle.inWater ? ' (in water)' : '');
        group.append(
            shape(
                'text',
                { x: 1.6, y: 0.8 },
                (vehicle.crew ? 'crew vehicle' : vehicle.name) + state,
            ),
        );
        return group;
    }

    function drawMap(v) {
        if (v.player) mapCentre = { x: v.player.x, y: v.player.y };
        map.setAttribute('viewBox', `${mapCentre.x - 60} ${-mapCentre.y - 60} 120 120`);
        const items = drawGrid();
        for (const vehicle of v.vehicles) items.push(vehicleShape(vehicle));
        for (const ped of v.peds) {
            const cls = 'ped' + (ped.police ? ' police' : '') + (ped.down ? ' down' : '');
            items.push(marker(ped, cls, 0.8, ped.name + (ped.hidden ? ' (hidden)' : '')));
        }
        if (v.gunner && !v.gunner.inVehicle) items.push(marker(v.gunner, 'gunner', 0.8, 'gunner'));
        if (v.player && !v.player.inVehicle) items.push(marker(v.player, 'player', 0.9, 'player'));
        if (v.target)
            items.push(
                shape('circle', { class: 'target', cx: v.target.x, cy: -v.target.y, r: 1.8 }),
            );
        for (const shot of v.shots)
            items.push(shape('circle', { class: 'shot', cx: shot.x, cy: -shot.y, r: 0.35 }));
        map.replaceChildren(...items);
    }

    map.addEventListener('click', (event) => {
        const point = map.createSVGPoint();
        point.x = event.clientX;
        point.y = event.clientY;
        const world = point.matrixTransform(map.getScreenCTM().inverse());
        const to = [Math.round(world.x * 10) / 10, Math.round(-world.y * 10) / 10, 0.0];
        act({ move: view && view.playerInCrewVehicle ? 'crew' : 'player', to });
    });

    const modeNames = [
        '0: Player shooting and driving',
        '1: Tobek attack enemies',
        '2: Tobek gone crazy',
    ];

    function showFacts(v) {
        $('clock').textContent = (v.ms / 1000).toFixed(3) + ' s' + (v.paused ? ' (paused)' : '');
        $('pause').textContent = v.paused ? 'Go on' : 'Pause';
        $('wanted').textContent = String(v.wanted);
        $('wanted').dataset.level = String(v.wanted);
        $('wanted').dataset.stars = '★'.repeat(v.wanted);
        $('mode').textContent = modeNames[v.mode] || String(v.mode);
        $('crew').textContent = v.crewExists
            ? v.playerInCrewVehicle
                ? 'held; the player is aboard'
                : 'held'
            : 'none';
        $('shots').textContent = String(v.shotOrders);
        $('focus').textContent = v.focus ? 'the game' : 'another program';
        $('focusToggle').textContent = v.focus
            ? 'Another window in front'
            : "The game's window in front";
    }

    function showPeds(v) {
        const select = $('ped');
        const names = v.peds.filter((p) => !/^entity /.test(p.name)).map((p) => p.name);
        if (select.dataset.names === names.join(',')) return;
        const chosen = select.value;
        select.replaceChildren(
            ...names.map((name) => new Option(name, name, false, name === chosen)),
        );
        select.dataset.names = names.join(',');
    }

    function addLines(lines) {
        const list = $('lines');
        for (const line of lines) {
            if (line.index < nextLine) continue;
            nextLine = line.index + 1;
            const item = document.createElement('li');
            item.dataset.kind = line.kind;
            const ms = document.createElement('span');
            ms.className = 'ms';
            ms.textContent = (line.ms / 1000).toFixed(3) + ' s';
            const kind = document.createElement('span');
            kind.className = 'kind';
            kind.textContent = line.kind;
            item.append(ms, kind, document.createTextNode(line.text));
            list.append(item);
        }
        list.scrollTop = list.scrollHeight;
    }

    function show(message) {
        view = message.view;
        $('screen').innerHTML = view.screen;
        showFacts(view);
        showPeds(view);
        drawMap(view);
        addLines(message.lines);
        document.body.dataset.ended = message.ended ? 'true' : 'false';
    }

    function connect() {
        const feed = new EventSource(
            '/feed?token=' + encodeURIComponent(token) + '&from=' + nextLine,
        );
        feed.onmessage = (event) => show(JSON.parse(event.data));
        feed.onerror = () => {
            feed.close();
            if (document.body.dataset.ended !== 'true') setTimeout(connect, 1000);
        };
    }

    for (const button of document.querySelectorAll('[data-act]')) {
        button.addEventListener('click', () => act(JSON.parse(button.dataset.act)));
    }

    const pedActions = {
        shoot: (ped) => ({ shoot: ped, target: 'player', damage: 10 }),
        shootGunner: (ped) => ({ shoot: ped, target: 'gunner', damage: 10 }),
        damage: (ped) => {
            const found = view && view.peds.find((p) => p.name === ped);
            return {
                set_health: ped,
                health: Math.max(0, (found ? found.health || 100 : 100) - 25),
            };
        },
        kill: (ped) => ({ kill: ped }),
        hide: (ped) => ({ hide: ped }),
        reveal: (ped) => ({ reveal: ped }),
        vanish: (ped) => ({ vanish: ped }),
    };
    for (const button of document.querySelectorAll('[data-ped]')) {
        button.addEventListener('click', () => {
            const ped = $('ped').value;
            if (ped) act(pedActions[button.dataset.ped](ped));
        });
    }

    $('focusToggle').addEventListener('click', () => act({ focus: !(view && view.focus) }));

    // A new ped ten metres north-east of the player, under the first free name ped1, ped2, ...
    $('addPed').addEventListener('click', () => {
        if (!view || !view.player) return;
        const taken = new Set((view.peds || []).map((ped) => ped.name));
        let n = 1;
        while (taken.has('ped' + n)) n++;
        const at = (value) => Math.round(value * 10) / 10;
        act({ add_ped: 'ped' + n, position: [at(view.player.x + 7), at(view.player.y + 7), 0.0] });
    });
    $('pause').addEventListener('click', () =>
        post('/control', { paused: !(view && view.paused) }),
    );
    $('step').addEventListener('click', () => post('/control', { step: 1 }));
    $('speed').addEventListener('change', () =>
        post('/control', { speed: Number($('speed').value) }),
    );
    $('expect').addEventListener('click', async () => {
        await post('/control', { expect: true });
        $('saved').textContent =
            'expectation recorded at ' + (view ? (view.ms / 1000).toFixed(3) + ' s' : 'the start');
    });
    $('save').addEventListener('click', async () => {
        const answer = await post('/save', {});
        $('saved').textContent = answer.saved
            ? 'saved: ' + answer.saved
            : 'use Download (no --record file given)';
    });
    $('download').href = '/recording?token=' + encodeURIComponent(token);

    connect();
})();
