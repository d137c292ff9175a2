// Lint rules for the simulator's web pages (browser scripts) and their Node test drivers.
'use strict';

const js = require('@eslint/js');
const globals = require('globals');

module.exports = [
    { ignores: ['node_modules/', 'build/'] },
    js.configs.recommended,
    {
        rules: {
            eqeqeq: 'error',
            'no-shadow': 'error',
            'no-var': 'off',
            strict: ['error', 'function'],
        },
    },
    {
        files: ['sim/**/*.js'],
        languageOptions: { sourceType: 'script', globals: globals.browser },
    },
    {
        files: ['tests/**/*.js', 'eslint.config.js'],
        languageOptions: { sourceType: 'commonjs', globals: { ...globals.node } },
        rules: { strict: ['error', 'global'] },
    },
    {
        files: ['tests/**/*.mjs'],
        languageOptions: { sourceType: 'module', globals: { ...globals.node } },
    },
    {
        // Browser tests hand functions to the page, where they run with the page's globals.
        files: ['tests/**/browser/*.js', 'tests/**/browser/*.mjs'],
        languageOptions: { globals: { ...globals.node, ...globals.browser } },
    },
];
