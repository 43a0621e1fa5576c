object CDList_Form: TCDList_Form
  Left = 263
  Top = 292
  BorderIcons = []
  BorderStyle = bsSingle
  Caption = '再生順序　作成ウィンドウ'
  ClientHeight = 214
  ClientWidth = 340
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 12
end
